// The target the tests' precompiled headers are built for; it holds no code.
