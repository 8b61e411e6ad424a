// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractHttpServer>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class BuiltInDictionary;
class QTcpSocket;

// A collegiate dictionary service on this computer: answers
//     GET /api/v1/references/collegiate/xml/WORD?key=KEY
// on 127.0.0.1 in the dictionary's XML form, from the built-in dictionary (its headwords and the forms derived
// from them; no estimates: a service answers only what it knows). Tests, benchmarks and parvenna-dictionary use
// it as their service. It serves in the thread that creates it, so the program's waits (which run the message
// loop) let it answer.
//
// Besides the real answers it can misbehave on purpose, for every request (Options::behaviour) or, when
// Options::testWords is set, for request words of the form "test:close", "test:500", "test:empty",
// "test:utf16:WORD" and "test:delay:MS:WORD". Without that option such a word is an ordinary word. For long runs
// it can also delay every so many requests and drop every so many connections once (Options::delayEvery,
// Options::dropEvery); each request counts once, whatever its word.
class LocalDictionaryService : public QAbstractHttpServer {
    Q_OBJECT
public:
    enum class Behaviour {
        Normal,
        CloseWithoutAnswer, // the connection is closed without a byte of answer
        ServerError,        // HTTP 500 with an HTML page
        EmptyBody,          // HTTP 200 with an empty body
        Utf16,              // the answer in UTF-16LE with a byte-order mark
    };

    struct Options {
        QStringList dataFiles; // empty: the program's shared built-in dictionary
        QString key;           // empty: a new random key of the service's form
        quint16 port = 0;      // 0: a free port
        Behaviour behaviour = Behaviour::Normal;
        int delayMs = 0;        // every answer waits this long
        bool testWords = false; // request words "test:…" misbehave as they say
        // Every delayEvery-th request (0: none) waits, besides delayMs, the next of delaysMs in turn.
        int delayEvery = 0;
        QList<int> delaysMs;
        // Every dropEvery-th connection (0: none) is closed without an answer, unless its word is the one
        // dropped last: that retry is answered, so every word is dropped at most once in a row.
        int dropEvery = 0;
    };

    struct Homograph {
        QString headword; // syllables marked with "*"
        QString label;    // part of speech, may be empty
        QString stress;   // a character a syllable ('1', '2', '0'); empty when the dictionary marks none
    };

    static constexpr int kRecordedWords = 10000;

    explicit LocalDictionaryService(QObject* parent = nullptr);

    // Loads the word data and listens on 127.0.0.1. False (see errorString()) when either fails.
    bool start(const Options& options);
    quint16 port() const { return m_port; }
    QString address() const; // "http://127.0.0.1:PORT"
    QString key() const { return m_key; }
    QString errorString() const { return m_error; }

    int wordCount() const;
    // The homographs of a word (any letter case), empty when unknown.
    QList<Homograph> homographs(const QString& word) const;
    // The XML answer for a word: its entries, or suggestions when it is unknown.
    static QString pronunciation(const Homograph& homograph);
    QByteArray answerFor(const QString& word) const;

    // The request words as received (after decoding), in order of arrival; the latest kRecordedWords.
    QStringList receivedWords() const { return m_received; }
    void clearReceivedWords() { m_received.clear(); }
    // How many connections Options::dropEvery closed without an answer.
    int droppedConnections() const { return m_dropped; }

    static QString newKey();

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    struct Reply {
        int status = 200;
        QByteArray contentType;
        QByteArray body;
        bool close = false; // close without answering
    };
    bool load(const QStringList& files);
    Reply replyFor(const QString& word, const QString& key) const;
    Reply misbehave(Behaviour behaviour, const QString& word) const;
    QByteArray suggestionsFor(const QString& word) const;
    void send(QTcpSocket* socket, const Reply& reply, int delayMs);
    // The extra wait and the drop of Options::delayEvery and Options::dropEvery for the next request.
    int nextDelayMs();
    bool dropNext(const QString& word);

    std::shared_ptr<const BuiltInDictionary> m_dictionary;
    QString m_key;
    QString m_error;
    quint16 m_port = 0;
    Behaviour m_behaviour = Behaviour::Normal;
    int m_delayMs = 0;
    bool m_testWords = false;
    int m_delayEvery = 0;
    QList<int> m_delaysMs;
    int m_dropEvery = 0;
    qint64 m_requests = 0;     // requests counted for delayEvery and dropEvery
    qsizetype m_nextDelay = 0; // index into m_delaysMs
    QString m_droppedWord;     // the word whose connection was dropped last, until it is asked again
    bool m_droppedPending = false;
    int m_dropped = 0;
    QStringList m_received;
};
