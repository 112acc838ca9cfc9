// Numbers read from text, and the weapon enhancer factor computed exactly.

#include "core/Decimal.h"

#include <QtTest>

using namespace fd;

class TestDecimal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timesThirtyThree_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("product"); // empty: not a number
        QTest::newRow("whole") << "3"
                               << "99";
        QTest::newRow("two") << "2"
                             << "66";
        QTest::newRow("half") << "0.5"
                              << "16.5";
        QTest::newRow("tenth, exactly") << "0.1"
                                        << "3.3";
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("negative") << "-1"
                                  << "-33";
        QTest::newRow("negative zero") << "-0.0"
                                       << "0";
        QTest::newRow("surrounding spaces") << " 4 "
                                            << "132";
        QTest::newRow("trailing zeros") << "1.50"
                                        << "49.5";
        QTest::newRow("leading zeros") << "007"
                                       << "231";
        QTest::newRow("long") << "123456789012345678901234567890"
                              << "4074074037407407403740740740370";
        QTest::newRow("exponent") << "1e2"
                                  << "";
        QTest::newRow("letters") << "abc"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("point only") << "."
                                    << "";
        QTest::newRow("comma") << "0,5"
                               << "";
    }
    void timesThirtyThree() {
        QFETCH(QString, text);
        QFETCH(QString, product);
        const std::optional<Decimal> number = Decimal::parse(text);
        QCOMPARE(bool(number), !product.isEmpty());
        if (number)
            QCOMPARE(number->times(33).toString(), product);
    }

    void positiveNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("positive");
        QTest::newRow("four") << "4" << true;
        QTest::newRow("a fraction") << "0.01" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("zero point zero") << "0.00" << false;
        QTest::newRow("negative") << "-1" << false;
    }
    void positiveNumbers() {
        QFETCH(QString, text);
        QFETCH(bool, positive);
        QCOMPARE(Decimal::parse(text)->isPositive(), positive);
    }
};

QTEST_GUILESS_MAIN(TestDecimal)
#include "tst_decimal.moc"
