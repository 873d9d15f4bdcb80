// SPDX-License-Identifier: MIT
// The file-type chain, the work queue and the decorators.
#include "commands/chain.h"
#include "commands/chain1.h"
#include "commands/chain2.h"
#include "commands/chain3.h"
#include "commands/dummyobject.h"
#include "commands/nocmd.h"
#include "commands/stack.h"
#include "imaging/abstractdecorator.h"
#include "imaging/decorator.h"
#include "imaging/executable.h"
#include "imaging/parseobject.h"
#include "imaging/redecorator.h"

#include <QtTest>

namespace {
std::shared_ptr<ParseObject> item(const QString &path)
{
    auto object = std::make_shared<ParseObject>();
    object->init(path);
    return object;
}

QStringList paths(Stack &stack)
{
    QStringList taken;
    while (stack.hasMoreElements())
        taken << std::static_pointer_cast<ParseObject>(stack.NextElement())->path();
    return taken;
}

/** A worker that counts its runs. */
class Counter : public Executable
{
public:
    void Execute() override { ++runs; }
    int runs = 0;
};
}

class TestWorkStructures : public QObject
{
    Q_OBJECT

private slots:
    void chainAcceptsThreeExtensions_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("afterwards");
        QTest::newRow("jpg") << QStringLiteral("jpg") << true << QStringLiteral("jpg");
        QTest::newRow("JPG") << QStringLiteral("JPG") << true << QStringLiteral("jpg");
        QTest::newRow("JpG") << QStringLiteral("JpG") << true << QStringLiteral("jpg");
        QTest::newRow("bmp") << QStringLiteral("bmp") << true << QStringLiteral("bmp");
        QTest::newRow("Gif") << QStringLiteral("Gif") << true << QStringLiteral("gif");
        QTest::newRow("jpeg") << QStringLiteral("jpeg") << false << QStringLiteral("jpeg");
        QTest::newRow("png") << QStringLiteral("PNG") << false << QStringLiteral("png");
        QTest::newRow("tif") << QStringLiteral("tif") << false << QStringLiteral("tif");
        QTest::newRow("leading space") << QStringLiteral(" jpg") << false << QStringLiteral(" jpg");
        QTest::newRow("jp") << QStringLiteral("jp") << false << QStringLiteral("jp");
        QTest::newRow("empty") << QString() << false << QString();
    }

    void chainAcceptsThreeExtensions()
    {
        QFETCH(QString, extension);
        QFETCH(bool, accepted);
        QFETCH(QString, afterwards);
        const std::shared_ptr<Chain> chain = Chain::makeFileTypeChain();
        for (bool before : {false, true}) {
            fileTypeAccepted = before; // whatever it held, the verdict is this message's alone
            QString message = extension;
            QCOMPARE(chain->sendToChain(message), false);
            QCOMPARE(fileTypeAccepted, accepted);
            QCOMPARE(message, afterwards);
        }
    }

    void linksHandOnWhatTheyDoNotAccept()
    {
        auto first = std::make_shared<Chain1>();
        auto second = std::make_shared<Chain2>();
        auto third = std::make_shared<Chain3>();
        auto end = std::make_shared<NoCmd>();
        QVERIFY(!first->hasChain());
        QVERIFY(!first->getChain());
        first->addChain(second);
        second->addChain(third);
        third->addChain(end);
        QVERIFY(first->hasChain());
        QCOMPARE(first->getChain(), std::static_pointer_cast<Chain>(second));

        // "gif" passes the first two links and is accepted by the third alone.
        QString gif = QStringLiteral("GIF");
        fileTypeAccepted = false;
        third->sendToChain(gif);
        QVERIFY(fileTypeAccepted);
        fileTypeAccepted = false;
        QString copy = QStringLiteral("gif");
        second->addChain(end); // bypass the gif link
        first->sendToChain(copy);
        QVERIFY(!fileTypeAccepted);

        end->addChain(first);
        QVERIFY(!end->hasChain());
        QVERIFY(!end->getChain());
        QString anything = QStringLiteral("jpg");
        fileTypeAccepted = true;
        QCOMPARE(end->sendToChain(anything), false);
        QVERIFY(!fileTypeAccepted);
    }

    void aLinkWithoutSuccessorRejects()
    {
        Chain2 lonely;
        QString message = QStringLiteral("jpg");
        fileTypeAccepted = true;
        QCOMPARE(lonely.sendToChain(message), false);
        QVERIFY(!fileTypeAccepted);
    }

    void stackHandsOutOldestFirst()
    {
        Stack stack;
        QVERIFY(!stack.hasMoreElements());
        QVERIFY(!stack.NextElement());
        QVERIFY(!stack.top());
        for (const char *name : {"A", "B", "C"})
            stack.add(item(QLatin1String(name)));
        QCOMPARE(stack.top()->path(), QStringLiteral("C"));
        QCOMPARE(std::static_pointer_cast<ParseObject>(stack.nextTop())->path(), QStringLiteral("B"));
        QVERIFY(!stack.topStack(7, -3));
        QCOMPARE(stack.count(), std::size_t(3));
        QCOMPARE(paths(stack), QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
        QVERIFY(!stack.hasMoreElements());
        QVERIFY(!stack.NextElement());
    }

    void nextTopIsAFreshDummyBelowTwo()
    {
        Stack stack;
        const auto first = stack.nextTop();
        QVERIFY(std::dynamic_pointer_cast<DummyObject>(first));
        stack.add(item(QStringLiteral("A")));
        const auto second = stack.nextTop();
        QVERIFY(std::dynamic_pointer_cast<DummyObject>(second));
        QVERIFY(first != second);
        QCOMPARE(stack.count(), std::size_t(1));
    }

    void nextElement2addDropsTheTwoOldest_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("three") << QStringList{"A", "B", "C"} << QStringList{"C", "X"};
        QTest::newRow("one") << QStringList{"A"} << QStringList{"A", "X"};
        QTest::newRow("none") << QStringList{} << QStringList{"X"};
    }

    void nextElement2addDropsTheTwoOldest()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        Stack stack;
        for (const QString &name : before)
            stack.add(item(name));
        stack.NextElement2add(item(QStringLiteral("X")));
        QCOMPARE(paths(stack), after);
    }

    void stackHoldsAHundredThousandInOrder()
    {
        Stack stack;
        constexpr int Count = 100'000;
        for (int i = 0; i < Count; ++i)
            stack.add(item(QString::number(i)));
        QCOMPARE(stack.count(), std::size_t(Count));
        int expected = 0;
        while (stack.hasMoreElements()) {
            const auto next = std::static_pointer_cast<ParseObject>(stack.NextElement());
            if (next->path() != QString::number(expected))
                QFAIL(qPrintable(QStringLiteral("item %1 came out as %2").arg(expected).arg(next->path())));
            ++expected;
        }
        QCOMPARE(expected, Count);
    }

    void decoratorsRunTheirObject()
    {
        AbstractDecorator blank;
        auto counter = std::make_shared<Counter>();
        blank.init(counter);
        blank.ShowIt();
        QVERIFY(!blank.getobject());
        QCOMPARE(counter->runs, 0);

        auto decorator = std::make_shared<Decorator>();
        decorator->init(counter);
        QCOMPARE(decorator->getobject(), std::static_pointer_cast<Executable>(counter));
        decorator->ShowIt();
        decorator->ShowIt();
        QCOMPARE(counter->runs, 2);

        ReDecorator wrapper;
        wrapper.initContents(decorator);
        QCOMPARE(wrapper.getobject(), std::static_pointer_cast<Executable>(counter));
        wrapper.ShowIt();
        QCOMPARE(counter->runs, 3);

        Decorator empty;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, empty.ShowIt());
    }
};

QTEST_GUILESS_MAIN(TestWorkStructures)
#include "tst_workstructures.moc"
