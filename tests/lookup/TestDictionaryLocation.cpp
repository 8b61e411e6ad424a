// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Settings.h"
#include "lookup/DictionaryLocation.h"

#include "TestEnvironment.h"

class TestDictionaryLocation : public QObject {
    Q_OBJECT
private slots:
    void init() { TestEnvironment::clearSettings(); }

    void addresses_data() {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("effective");
        QTest::newRow("nothing") << "  "
                                 << "";
        QTest::newRow("no scheme means https") << "dictionary.example"
                                               << "https://dictionary.example";
        QTest::newRow("https kept") << "https://dictionary.example/"
                                    << "https://dictionary.example";
        QTest::newRow("plain http to another host becomes https") << "http://dictionary.example:8080"
                                                                  << "https://dictionary.example:8080";
        QTest::newRow("plain http on loopback stays") << "http://127.0.0.1:8123"
                                                      << "http://127.0.0.1:8123";
        QTest::newRow("localhost stays") << "http://localhost:8123"
                                         << "http://localhost:8123";
    }
    void addresses() {
        QFETCH(QString, configured);
        QFETCH(QString, effective);
        QCOMPARE(DictionaryLocation::normalisedAddress(configured), effective);
    }

    void keyFromReversedPieces() {
        // 0123abcd-4567-89ef-0123-456789abcdef, each four characters reversed
        const QString pieces = QStringLiteral("3210,dcba,7654,fe98,3210,7654,ba98,fedc");
        QCOMPARE(DictionaryLocation::assembleKey(pieces), QStringLiteral("0123abcd-4567-89ef-0123-456789abcdef"));
        QCOMPARE(DictionaryLocation::assembleKey(QString()), QString());
    }

    void environmentBeforeSettings() {
        Settings::save(DictionaryLocation::kAddressKey, QStringLiteral("https://stored.example"));
        Settings::save(DictionaryLocation::kKeyKey, QStringLiteral("stored-key"));
        qputenv("PARVENNA_SERVICE_ADDRESS", "http://127.0.0.1:4321");
        qputenv("PARVENNA_SERVICE_KEY", "env-key");
        DictionaryEndpoint endpoint = DictionaryLocation::effectiveEndpoint();
        QCOMPARE(endpoint.address, QStringLiteral("http://127.0.0.1:4321"));
        QCOMPARE(endpoint.assembleKey(), QStringLiteral("env-key"));

        qunsetenv("PARVENNA_SERVICE_ADDRESS");
        qunsetenv("PARVENNA_SERVICE_KEY");
        endpoint = DictionaryLocation::effectiveEndpoint();
        QCOMPARE(endpoint.address, QStringLiteral("https://stored.example"));
        QCOMPARE(endpoint.assembleKey(), QStringLiteral("stored-key"));
    }

    // With no address at all the words stay on this computer: the built-in dictionary, no service, no limit.
    void builtInDictionaryWhenNothingIsConfigured() {
        qputenv("PARVENNA_SERVICE_ADDRESS", "");
        QVERIFY(!DictionaryLocation::serviceConfigured());
        QVERIFY(DictionaryLocation::effectiveEndpoint().address.isEmpty());
        qputenv("PARVENNA_SERVICE_ADDRESS", "127.0.0.1:9");
        QVERIFY(DictionaryLocation::serviceConfigured());
    }
};

PARVENNA_TEST_MAIN(TestDictionaryLocation)
#include "TestDictionaryLocation.moc"
