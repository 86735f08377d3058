#pragma once
// The game's 341 resource ids in their fixed order, each with the group that must define
// it. The game computes some ids by number (digits, award icons, stage labels), so the
// order is part of the contract with the manifest.

namespace Content {

struct ResourceId {
    const char* mId;
    const char* mGroup;
};

constexpr int kResourceIdCount = 341;
extern const ResourceId kResourceIds[kResourceIdCount];

} // namespace Content
