#include <gtest/gtest.h>

#include <QApplication>

#if defined(__SANITIZE_ADDRESS__)
// Qt's plugins keep dynamic thread-local storage; the leak checker's walk over it at exit
// can crash when it follows __tls_get_addr, so it takes those blocks from the threads'
// own records only.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
#endif

// Widget tests run real windows; without a display they use the offscreen platform.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
