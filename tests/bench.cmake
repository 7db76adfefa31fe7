# Tests of this subsystem: quillon_add_test(...) lines.
