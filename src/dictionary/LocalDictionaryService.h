#pragma once

#include <QAbstractHttpServer>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QTcpSocket;

// A collegiate dictionary service on this computer: answers
//     GET /api/v1/references/collegiate/xml/WORD?key=KEY
// on 127.0.0.1 in the dictionary's XML form, from the word data in data/words.txt. The program uses it when no
// other service is configured; tests and benchmarks use it as their service. It serves in the thread that
// creates it, so the program's waits (which run the message loop) let it answer.
//
// Besides the real answers it can misbehave on purpose, for every request (Options::behaviour) or for request
// words of the form "test:close", "test:500", "test:empty", "test:utf16:WORD" and "test:delay:MS:WORD".
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
        QString dataFile; // empty: defaultDataFile()
        QString key;      // empty: a new random key of the service's form
        quint16 port = 0; // 0: a free port
        Behaviour behaviour = Behaviour::Normal;
        int delayMs = 0; // every answer waits this long
    };

    struct Homograph {
        QString headword; // syllables marked with "*"
        QString label;    // part of speech, may be empty
    };

    static constexpr int kRecordedWords = 10000;

    explicit LocalDictionaryService(QObject* parent = nullptr);

    // Loads the word data and listens on 127.0.0.1. False (see errorString()) when either fails.
    bool start(const Options& options);
    quint16 port() const { return m_port; }
    QString address() const; // "http://127.0.0.1:PORT"
    QString key() const { return m_key; }
    QString errorString() const { return m_error; }

    int wordCount() const { return static_cast<int>(m_words.size()); }
    // The homographs of a word (any letter case), empty when unknown.
    QList<Homograph> homographs(const QString& word) const;
    // The XML answer for a word: its entries, or suggestions when it is unknown.
    QByteArray answerFor(const QString& word) const;

    // The request words as received (after decoding), in order of arrival; the latest kRecordedWords.
    QStringList receivedWords() const { return m_received; }
    void clearReceivedWords() { m_received.clear(); }

    // words.txt among the data files (DataFiles: installed beside the program, else the build folder).
    static QString defaultDataFile();
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
    struct Word {
        QString word; // as written in the data
        QList<Homograph> homographs;
    };

    bool load(const QString& path);
    Reply replyFor(const QString& word, const QString& key) const;
    Reply misbehave(Behaviour behaviour, const QString& word) const;
    QByteArray suggestionsFor(const QString& word) const;
    void send(QTcpSocket* socket, const Reply& reply, int delayMs);

    QHash<QString, Word> m_words; // by lower-case word
    QString m_key;
    QString m_error;
    quint16 m_port = 0;
    Behaviour m_behaviour = Behaviour::Normal;
    int m_delayMs = 0;
    QStringList m_received;
};
