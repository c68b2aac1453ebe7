// The main() of a program holding several Qt Test classes: runs the class
// named by the first argument, with the application QTEST_MAIN makes for a
// widgets test (Qt 6.4, qtest.h: QTEST_MAIN_WRAPPER and QTEST_QAPP_SETUP).
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <vector>

#include "support/qtest_class.h"

namespace tavelmark::test {
namespace {

// A function's static, so registrations from other files' static
// initialisers never find it unconstructed.
std::vector<QtTestClass>& RegisteredQtTestClasses() {
    static std::vector<QtTestClass> classes;
    return classes;
}

const QtTestClass* FindQtTestClass(const char* name) {
    for (const QtTestClass& testClass : RegisteredQtTestClasses())
        if (std::strcmp(testClass.name, name) == 0) return &testClass;
    return nullptr;
}

}  // namespace

bool RegisterQtTestClass(const QtTestClass& testClass) {
    RegisteredQtTestClasses().push_back(testClass);
    return true;
}

}  // namespace tavelmark::test

int main(int argc, char* argv[]) {
    using namespace tavelmark::test;
    const QtTestClass* chosen = argc > 1 ? FindQtTestClass(argv[1]) : nullptr;
    if (chosen == nullptr) {
        if (argc > 1) std::fprintf(stderr, "no test class named %s\n", argv[1]);
        std::fprintf(stderr, "usage: %s CLASS [Qt Test options]\nclasses:\n", argv[0]);
        for (const QtTestClass& testClass : RegisteredQtTestClasses()) std::fprintf(stderr, "  %s\n", testClass.name);
        return 2;
    }
    // The application and Qt Test see the program's name and the arguments
    // after the class, as if the class had a program of its own.
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    arguments.push_back(nullptr);
    int count = argc - 1;

    chosen->initMain();
    QApplication app(count, arguments.data());
    app.setAttribute(Qt::AA_Use96Dpi, true);
#ifdef QT_KEYPAD_NAVIGATION
    QApplication::setNavigationMode(Qt::NavigationModeNone);
#endif
    const std::unique_ptr<QObject> testObject = chosen->create();
#ifdef QT_TESTCASE_BUILDDIR
    QTest::setMainSourcePath(chosen->sourceFile, QT_TESTCASE_BUILDDIR);
#else
    QTest::setMainSourcePath(chosen->sourceFile);
#endif
    return QTest::qExec(testObject.get(), count, arguments.data());
}
