# Tests of the settings windows: target_sources(ui_tests ...) and, for tests
# against the local mail servers, target_sources(ui_live_tests ...).
