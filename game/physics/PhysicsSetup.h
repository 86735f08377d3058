#pragma once
// The game's settings of the physics world: gravity and sleeping, the collision categories
// with their pairs, and the materials beyond the library's own. The world must exist
// (xtrCreateXtremaSDK). Setting it up again changes nothing: the library keeps the first
// category and material of a name, and the pairs get the same values.

void SetUpPhysicsWorld();
