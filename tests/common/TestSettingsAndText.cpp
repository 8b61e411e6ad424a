// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "common/FileSystem.h"
#include "common/Settings.h"
#include "common/SettingsFileGuard.h"
#include "common/TextCodec.h"

#include "TestEnvironment.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

class TestSettingsAndText : public QObject {
    Q_OBJECT
private slots:
    void init() { TestEnvironment::clearSettings(); }

    void absentKeyGivesDefault() {
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes"), QStringLiteral("dflt")), QStringLiteral("dflt"));
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes")), QString());
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("semicolons") << "a;b;;c;";
        QTest::newRow("commas") << "one, two,three";
        QTest::newRow("blanks kept") << "  baby ;New Hampshire ";
        QTest::newRow("at sign first") << "@Variant(x)";
        QTest::newRow("beyond Latin-1") << QString::fromUtf8("ζωή;слово;字;😀");
        QTest::newRow("empty") << "";
        QTest::newRow("backslashes and quotes") << "C:\\x\\\"q\"";
    }
    void roundTrip() {
        QFETCH(QString, value);
        Settings::save(QStringLiteral("Zip Codes"), value);
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes"), QStringLiteral("absent")), value);
        // A fresh store object reads what was written: the write reached the file.
        QSettings fresh(Settings::kApplication, Settings::kSection);
        QCOMPARE(fresh.value(QStringLiteral("Zip Codes")).toString(), value);
    }

    // A hand-edited value with an unquoted comma is read by the store as a list of texts; the program gets
    // back the text the user wrote, the pieces joined by ", ". (An unquoted ";" starts a comment in this file
    // format: what follows it is gone before the program reads the value.)
    void handEditedValues_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("word list with a comma") << QByteArray("Zip%20Codes=alpha, beta;gamma") << "alpha, beta";
        QTest::newRow("comma without a blank") << QByteArray("Zip%20Codes=a,b") << "a, b";
        QTest::newRow("three pieces") << QByteArray("Zip%20Codes=a, b, c") << "a, b, c";
        QTest::newRow("empty last piece") << QByteArray("Zip%20Codes=a,") << "a, ";
        QTest::newRow("quoted piece") << QByteArray("Zip%20Codes=\"a, b\", c") << "a, b, c";
        QTest::newRow("quoted stays one text") << QByteArray("Zip%20Codes=\"a, b;c\"") << "a, b;c";
        QTest::newRow("number with a comma") << QByteArray("Request%20count=1,5") << "1, 5";
        QTest::newRow("option with a comma") << QByteArray("Show%20word=1, 0") << "1, 0";
        QTest::newRow("service address with a comma") << QByteArray("Service%20address=http://a,b") << "http://a, b";
    }
    void handEditedValues() {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        TestEnvironment::writeSettingsFile("[General]\n" + line + "\n");
        const QString key = QUrl::fromPercentEncoding(line.left(line.indexOf('=')));
        QCOMPARE(Settings::get(key, QStringLiteral("absent")), expected);
    }

    // A value the store would decode into an object ("@Variant(...)", "@DateTime(...)") is never one the
    // program wrote; its line goes, however the file spells it, and every other line stays as it was.
    void objectValuesAreTakenOut_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("taken");
        QTest::newRow("variant") << QByteArray("Show%40word=@Variant(\\0\\0\\0\\x2)") << true;
        QTest::newRow("an equals sign inside quotes in the key") << QByteArray("Zs\"=p\"cord=@Variant(x)") << true;
        QTest::newRow("date and time") << QByteArray("Check1=@DateTime(\\0\\0)") << true;
        QTest::newRow("quoted") << QByteArray("Check1=\"@Variant(x)\"") << true;
        QTest::newRow("blanks after an empty quote") << QByteArray("Check1=\"\"  @Variant(x)") << true;
        QTest::newRow("hexadecimal escape") << QByteArray("Check1=\\x40Variant(x)") << true;
        QTest::newRow("octal escape") << QByteArray("Check1=\\100Variant(x)") << true;
        QTest::newRow("wrapping hexadecimal escape") << QByteArray("Check1=\\x10040Variant(x)") << true;
        QTest::newRow("piece of a list") << QByteArray("Check1=a, @Variant(x)") << true;
        QTest::newRow("continued line") << QByteArray("Check1=@\\\nVariant(x)") << true;
        QTest::newRow("continued line, CR LF") << QByteArray("Check1=@\\\r\nVariant(x)") << true;
        QTest::newRow("escaped line break in the key") << QByteArray("Che\\\nck1=@Variant(x)") << true;
        QTest::newRow("a bracket first") << QByteArray("[x]=@Variant(x)") << true;
        QTest::newRow("the program's own text") << QByteArray("Check1=@@Variant(x)") << false;
        QTest::newRow("a quoted blank first") << QByteArray("Check1=\" @Variant(x)\"") << false;
        QTest::newRow("inside a quoted list") << QByteArray("Check1=\"a, b;@Variant(x)\"") << false;
        QTest::newRow("in a comment") << QByteArray("Check1=1 ;@Variant(x)") << false;
        QTest::newRow("comment line") << QByteArray(";Check1=@Variant(x)") << false;
        QTest::newRow("a quote before it") << QByteArray("Check1=\" \"@Variant(x)") << false;
    }
    void objectValuesAreTakenOut() {
        QFETCH(QByteArray, line);
        QFETCH(bool, taken);
        const QByteArray before = "[General]\nZip%20Codes=\"caf\xC3\xA9;na\xC3\xAFve\"\n";
        const QByteArray after = "Request%20count=3\r\n";
        const QByteArray file = before + line + "\n" + after;
        QCOMPARE(SettingsFileGuard::withoutObjectValues(file), taken ? before + after : file);
        QCOMPARE(SettingsFileGuard::holdsObjectValue(line), taken);
        // The store itself: wherever it reads something other than a text, the guard takes the line out.
        const QTemporaryDir folder;
        QFile stored(folder.filePath(QStringLiteral("stored.conf")));
        QVERIFY(stored.open(QIODevice::WriteOnly) && stored.write(file) == file.size());
        stored.close();
        const QSettings store(stored.fileName(), QSettings::IniFormat);
        for (const QString& key : store.allKeys()) {
            const QVariant value = store.value(key);
            const bool text = value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QStringList;
            QVERIFY2(text || taken, qPrintable(key));
        }
    }

    void storeReadsAroundAnObjectValue() {
        // This value made the store allocate gigabytes before its line was taken out.
        TestEnvironment::writeSettingsFile("[General]\nZip%20Codes=\"caf\xC3\xA9;na\xC3\xAFve\"\n"
                                           "Show%40word=@Variant(\\0\\0\\0\\[Genex7f)\nCheck1=1\n");
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes")), QString::fromUtf8("café;naïve"));
        QCOMPARE(Settings::get(QStringLiteral("Show@word"), QStringLiteral("absent")), QStringLiteral("absent"));
        Settings::save(QStringLiteral("Check1"), QStringLiteral("0"));
        QCOMPARE(Settings::get(QStringLiteral("Check1")), QStringLiteral("0"));
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes")), QString::fromUtf8("café;naïve"));
    }

    void writeToUnwritableStoreThrows() {
        const UnwritableSettings blocked;
        QVERIFY(blocked.active());
        QVERIFY_THROWS_EXCEPTION(AppError, Settings::save(QStringLiteral("Check1"), QStringLiteral("1")));
    }

    void decoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8") << QByteArray("caf\xC3\xA9") << QString::fromUtf8("café");
        QTest::newRow("utf-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBFna\xC3\xAFve") << QString::fromUtf8("naïve");
        QTest::newRow("windows-1252") << QByteArray("caf\xE9 \x93q\x94 \x80") << QString::fromUtf8("café “q” €");
        QTest::newRow("undefined 1252 byte kept") << QByteArray("a\x81z") << QString::fromUtf8("a\u0081z");
        QTest::newRow("empty") << QByteArray() << QString();
        // One stray byte is one Windows-1252 character; every UTF-8 sequence around it stays what it is.
        QTest::newRow("stray byte among utf-8")
            << QByteArray("caf\xC3\xA9 \xE9t\xC3\xA9 na\xC3\xAFve") << QString::fromUtf8("café été naïve");
        QTest::newRow("mark, then a stray byte")
            << QByteArray("\xEF\xBB\xBF\xE2\x80\x9Cq\xE2\x80\x9D \x93q\x94") << QString::fromUtf8("“q” “q”");
        QTest::newRow("cut-off sequence") << QByteArray("\xE2\x80x\xC3") << QString::fromUtf8("â€xÃ");
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF\xE0\x80\xAF") << QString::fromUtf8("À¯à€¯");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QString::fromUtf8("í\u00A0€");
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QString::fromUtf8("ô\u0090€€");
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80!") << QString::fromUtf8("😀!");
        QTest::newRow("utf-16le with mark") << QByteArray("\xFF\xFE"
                                                          "c\0a\0f\0\xE9\0 \0=\xD8\0\xDE",
                                                          16)
                                            << QString::fromUtf8("café 😀");
        QTest::newRow("utf-16be with mark") << QByteArray("\xFE\xFF\0c\0a\0f\0\xE9", 10) << QString::fromUtf8("café");
        QTest::newRow("utf-16le, odd last byte") << QByteArray("\xFF\xFEo\0k\0!", 7) << QString::fromUtf8("ok\uFFFD");
        QTest::newRow("utf-16 mark alone") << QByteArray("\xFF\xFE") << QString();
    }
    void decoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(TextCodec::decodeText(bytes), text);
    }

    void utf16() {
        QCOMPARE(TextCodec::fromUtf16Le(QByteArray("\xFF\xFEh\0i\0", 6)),
                 QString(QChar(0xFEFF)) + QStringLiteral("hi"));
        QCOMPARE(TextCodec::fromUtf16Le(QByteArray("h\0i", 3)), QStringLiteral("h")); // odd length: last byte dropped
    }

    void fileNames_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("backslash") << "C:\\data\\out.txt"
                                   << "out.txt";
        QTest::newRow("slash") << "/home/u/out.txt"
                               << "out.txt";
        QTest::newRow("none") << "out.txt"
                              << "out.txt";
        QTest::newRow("word with blank") << "New Hampshire"
                                         << "New Hampshire";
    }
    void fileNames() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(FileSystem::FileNameFromPath(path), name);
    }

    void fileExists() {
        QTemporaryDir dir;
        QVERIFY(FileSystem::FileExists(dir.path()));
        QVERIFY(!FileSystem::FileExists(dir.path() + QStringLiteral("/missing")));
        QVERIFY(!FileSystem::FileExists(QString()));
    }
};

PARVENNA_TEST_MAIN(TestSettingsAndText)
#include "TestSettingsAndText.moc"
