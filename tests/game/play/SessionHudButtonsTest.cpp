// Placeholder until its tests are written.
