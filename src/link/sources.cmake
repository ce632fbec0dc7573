# Serial port layer and clone engine (core); progress and port windows (gui).
