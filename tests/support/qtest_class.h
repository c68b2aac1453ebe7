#pragma once
// A Qt Test class in a program that holds several: the Qt headers are then
// compiled once per program instead of once per class. The program's first
// argument names the one class a run executes (tests/support/qtest_main.cpp),
// so each class still runs in a process of its own.
#include <QObject>
#include <QTest>
#include <memory>

namespace tavelmark::test {

struct QtTestClass {
    const char* name;
    void (*initMain)();  // the class's static initMain(), if any, run before the application exists
    std::unique_ptr<QObject> (*create)();
    const char* sourceFile;  // where QFINDTESTDATA looks, as QTEST_MAIN records it
};

bool RegisterQtTestClass(const QtTestClass& testClass);

template <class TestClass>
QtTestClass DescribeQtTestClass(const char* name, const char* sourceFile) {
    return {name,
            [] {
                if constexpr (requires { TestClass::initMain(); }) TestClass::initMain();
            },
            [] { return std::unique_ptr<QObject>(std::make_unique<TestClass>()); }, sourceFile};
}

}  // namespace tavelmark::test

// In place of QTEST_MAIN(TestClass), after the class's definition.
#define TAVELMARK_QTEST_CLASS(TestClass)                                        \
    [[maybe_unused]] static const bool tavelmark_qtest_registered_##TestClass = \
        ::tavelmark::test::RegisterQtTestClass(                                 \
            ::tavelmark::test::DescribeQtTestClass<TestClass>(#TestClass, __FILE__));
