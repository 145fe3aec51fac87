// Which strings isWebAddress lets through to a browser launcher or the
// Windows shell. Needs no display and no launcher, so it runs everywhere.

#include "links/webaddress.h"

#include <QTest>
#include <QUrl>

using hearthvale::isWebAddress;

class TestWebAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refuses_data()
    {
        QTest::addColumn<QString>("text");

        const QString home = QStringLiteral("http://www.quillbrook.example/");
        QTest::newRow("empty") << QString();
        QTest::newRow("relative file") << QStringLiteral("index.html");
        QTest::newRow("host without scheme") << QStringLiteral("www.quillbrook.example");
        QTest::newRow("file:") << QStringLiteral("file:///etc/passwd");
        // The Windows shell would open this from the network share.
        QTest::newRow("file: with a host") << QStringLiteral("file://quillbrook.example/share/setup.exe");
        QTest::newRow("javascript:") << QStringLiteral("javascript:alert(1)");
        QTest::newRow("ftp:") << QStringLiteral("ftp://www.quillbrook.example/");
        QTest::newRow("mailto:") << QStringLiteral("mailto:someone@quillbrook.example");
        QTest::newRow("program path") << QStringLiteral("/usr/bin/xterm");
        QTest::newRow("Windows program path") << QStringLiteral("C:\\Windows\\notepad.exe");
        QTest::newRow("no host, three slashes") << QStringLiteral("http:///nohost");
        QTest::newRow("no host, no slashes") << QStringLiteral("http:nohost");
        QTest::newRow("newline then a command") << home + QStringLiteral("\nrm -rf ~");
        QTest::newRow("NUL") << home + QChar(0) + QStringLiteral("/usr/bin/xterm");
        QTest::newRow("tab") << home + QStringLiteral("\tx");
        QTest::newRow("DEL") << home + QStringLiteral("\x7fx");
        QTest::newRow("C1 control") << home + QChar(0x009B) + QStringLiteral("x");
        QTest::newRow("leading space") << QLatin1Char(' ') + home;
        QTest::newRow("trailing space") << home + QLatin1Char(' ');
        QTest::newRow("no-break space") << home + QChar(0x00A0) + QStringLiteral("x");
        QTest::newRow("line separator") << home + QChar(0x2028) + QStringLiteral("x");
        QTest::newRow("right-to-left override") << home + QChar(0x202E) + QStringLiteral("exe.txt");
        QTest::newRow("zero-width space") << home + QChar(0x200B) + QStringLiteral("x");
        QTest::newRow("lone high surrogate") << home + QChar(0xD83C) + QStringLiteral("x");
        QTest::newRow("lone low surrogate") << home + QChar(0xDFE1);
    }

    void refuses()
    {
        QFETCH(QString, text);
        QUrl parsed;
        QVERIFY(!isWebAddress(text, parsed));
    }

    void accepts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("host");

        const QString quillbrook = QStringLiteral("www.quillbrook.example");
        const QString copperwick = QStringLiteral("www.copperwick.example");
        QTest::newRow("http") << QStringLiteral("http://www.quillbrook.example/") << quillbrook;
        QTest::newRow("https") << QStringLiteral("https://www.copperwick.example/") << copperwick;
        QTest::newRow("upper case") << QStringLiteral("HTTP://WWW.QUILLBROOK.EXAMPLE/") << quillbrook;
        QTest::newRow("no path") << QStringLiteral("https://www.copperwick.example") << copperwick;
        // Only a shell would act on these, and no shell is ever given them.
        QTest::newRow("port, query and shell characters")
            << QStringLiteral("https://www.copperwick.example:8443/a;b?q=it's&x=$(id)#top") << copperwick;
        QTest::newRow("letter outside ASCII")
            << QStringLiteral("https://www.copperwick.example/caf%1").arg(QChar(0x00E9)) << copperwick;
        // A character beyond the 16-bit range comes as a surrogate pair,
        // which is one visible character and not two broken halves.
        QTest::newRow("surrogate pair") << QStringLiteral("https://www.copperwick.example/")
                + QString::fromUcs4(U"\U0001F3E1")
                                        << copperwick;
    }

    void accepts()
    {
        QFETCH(QString, text);
        QFETCH(QString, host);
        QUrl parsed;
        QVERIFY(isWebAddress(text, parsed));
        QCOMPARE(parsed.host(), host);
    }
};

QTEST_APPLESS_MAIN(TestWebAddress)

#include "tst_webaddress.moc"
