#pragma once
// The product's one-line rights notice, shown at the foot of the title and the main menu.

inline constexpr const char* kRightsNotice = "Copyright 2026 Brightfold LLC. All rights reserved.";
