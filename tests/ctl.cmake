# quillonctl: its pure parts without the lab; the program itself end to end in the lab.
quillon_add_test(tst_ctlarguments SOURCES ctl/tst_ctlarguments.cpp LIBS quillonctl_core LABELS ctl)
quillon_add_test(tst_batchplan SOURCES ctl/tst_batchplan.cpp LIBS quillonctl_core LABELS ctl)
quillon_add_test(tst_ctloutput SOURCES ctl/tst_ctloutput.cpp LIBS quillonctl_core LABELS ctl)
quillon_add_test(tst_doctorchecks SOURCES ctl/tst_doctorchecks.cpp LIBS quillonctl_core LABELS ctl)
quillon_add_test(tst_quillonctl LAB SOURCES ctl/tst_quillonctl.cpp LIBS Qt::Network LABELS ctl TIMEOUT 300)
add_dependencies(tst_quillonctl quillonctl quillon-devsim)
