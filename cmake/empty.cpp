// Keeps a program library valid while it has no module of its own yet.
