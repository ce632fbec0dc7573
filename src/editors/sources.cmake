# Editor windows (channels, features) come later.
