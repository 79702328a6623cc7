// The shared library's code lives in the pelmo_device archive, linked whole;
// a shared library target still needs one source of its own.
