quillon_add_test(tst_framecipher SOURCES crypto/tst_framecipher.cpp LABELS crypto)
quillon_add_test(tst_credentialcipher SOURCES crypto/tst_credentialcipher.cpp LABELS crypto)
