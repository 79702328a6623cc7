// A suite whose folder has no tests yet still builds.
