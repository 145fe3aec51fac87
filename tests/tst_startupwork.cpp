// What start-up leaves out: the window shown and painted loads no image
// reader and no font that the card is not drawn in, and the name table
// refers to the names where the program holds them instead of copying each.
// The files the process has mapped are read from Linux's /proc; elsewhere
// those cases are skipped.

#include "names/namegenerator.h"
#include "names/randomsource.h"
#include "window/form1.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using hearthvale::Form1;
using hearthvale::NameCount;
using hearthvale::NameGenerator;
using hearthvale::RandomSource;

class TestStartupWork : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_form));
        m_form.grab(); // every control painted once
#ifdef Q_OS_LINUX
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        m_mapped = QString::fromLocal8Bit(maps.readAll()).split(QLatin1Char('\n'));
#endif
    }

    void mappedFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("image reader") << QStringLiteral("image reader") << QStringLiteral("/imageformats/");
        // The card's faces are built in and read from memory, or are a
        // Comic face of the system's own.
        QTest::newRow("font file") << QStringLiteral("font")
                                   << QStringLiteral("^(?!.*comic).*\\.(ttf|ttc|otf|otc|pfb|pcf)(\\.gz)?$");
    }

    void mappedFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, pattern);
        if (m_mapped.isEmpty())
            QSKIP("the mapped files are read from Linux's /proc");
        const QRegularExpression loaded(pattern, QRegularExpression::CaseInsensitiveOption);
        for (const QString &line : std::as_const(m_mapped)) {
            const QString file = line.section(QLatin1Char(' '), 5).trimmed();
            QVERIFY2(!loaded.match(file).hasMatch(), qPrintable(QStringLiteral("%1 loaded: %2").arg(kind, file)));
        }
    }

    void tableRefersToOneCopy()
    {
        RandomSource source;
        NameGenerator first(source);
        NameGenerator second(source);
        first.LoadNames();
        second.LoadNames();
        for (int slot = 0; slot < NameCount; ++slot) {
            const QString &name = first.NeighborhoodNames()[slot];
            QVERIFY(!name.isEmpty());
            QCOMPARE(name.constData(), second.NeighborhoodNames()[slot].constData());
        }
    }

private:
    RandomSource m_source;
    Form1 m_form{m_source};
    QStringList m_mapped;
};

QTEST_MAIN(TestStartupWork)
#include "tst_startupwork.moc"
