// Replaced by the first widget source.
