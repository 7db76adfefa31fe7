quillon_add_test(tst_commandreply SOURCES webcfg/tst_commandreply.cpp LABELS webcfg)
find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
quillon_add_test(tst_webclient GUI LAB SOURCES webcfg/tst_webclient.cpp LIBS PkgConfig::HTTPLIB Threads::Threads
                 LABELS webcfg
                 TIMEOUT 120)
quillon_add_test(tst_webdialog GUI LAB RESOURCES SOURCES webcfg/tst_webdialog.cpp
                 LIBS PkgConfig::HTTPLIB Threads::Threads LABELS webcfg TIMEOUT 120)
