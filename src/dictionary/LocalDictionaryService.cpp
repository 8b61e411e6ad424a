// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/LocalDictionaryService.h"

#include "common/AppError.h"
#include "lexicon/BuiltInDictionary.h"
#include "lexicon/Division.h"
#include "lexicon/WordKey.h"

#include <QHttpServerRequest>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <QUuid>
#include <algorithm>

namespace {

const QString kPath = QStringLiteral("/api/v1/references/collegiate/xml/");
const QString kTestPrefix = QStringLiteral("test:");
constexpr int kMaxSuggestions = 8;

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 500:
        return "Internal Server Error";
    default:
        return "Unknown";
    }
}

QByteArray xmlText(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

QByteArray utf16WithMark(const QByteArray& utf8) {
    QByteArray bytes("\xFF\xFE", 2);
    const QString text = QString::fromUtf8(utf8);
    for (const QChar unit : text) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    return bytes;
}

} // namespace

LocalDictionaryService::LocalDictionaryService(QObject* parent) : QAbstractHttpServer(parent) {}

QString LocalDictionaryService::newKey() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

bool LocalDictionaryService::start(const Options& options) {
    m_key = options.key.isEmpty() ? newKey() : options.key;
    m_behaviour = options.behaviour;
    m_delayMs = std::max(0, options.delayMs);
    m_testWords = options.testWords;
    m_delayEvery = std::max(0, options.delayEvery);
    m_delaysMs = options.delaysMs;
    m_dropEvery = std::max(0, options.dropEvery);
    m_requests = 0;
    m_nextDelay = 0;
    m_droppedPending = false;
    m_dropped = 0;
    if (!load(options.dataFiles))
        return false;
    m_port = listen(QHostAddress::LocalHost, options.port);
    if (m_port == 0) {
        m_error = QStringLiteral("The dictionary service could not listen on 127.0.0.1 port %1.").arg(options.port);
        return false;
    }
    return true;
}

QString LocalDictionaryService::address() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

bool LocalDictionaryService::load(const QStringList& files) {
    if (files.isEmpty()) {
        try {
            // The shared dictionary lives as long as the program: the service only borrows it.
            m_dictionary =
                std::shared_ptr<const BuiltInDictionary>(&BuiltInDictionary::shared(), [](const BuiltInDictionary*) {});
        } catch (const AppError& error) {
            m_error = error.description();
            return false;
        }
        return true;
    }
    auto own = std::make_shared<BuiltInDictionary>();
    if (!own->load(files, &m_error))
        return false;
    if (own->lexicon().headwordCount() == 0) {
        m_error = QStringLiteral("The word data %1 holds no words.").arg(files.join(QStringLiteral(", ")));
        return false;
    }
    m_dictionary = std::move(own);
    return true;
}

int LocalDictionaryService::wordCount() const {
    return m_dictionary ? static_cast<int>(m_dictionary->lexicon().headwordCount()) : 0;
}

QList<LocalDictionaryService::Homograph> LocalDictionaryService::homographs(const QString& word) const {
    QList<Homograph> result;
    if (!m_dictionary)
        return result;
    const BuiltInDictionary::Answer answer = m_dictionary->lookUp(word, true, true);
    if (answer.reading)
        return result; // a number or abbreviation read aloud is no entry of a dictionary
    if (answer.source == BuiltInDictionary::Source::Dictionary) {
        for (const Lexicon::Homograph& homograph : answer.homographs)
            result.append({homograph.division, homograph.label, homograph.stress});
    } else if (answer.source == BuiltInDictionary::Source::Derived) {
        result.append({answer.division, QString(), answer.stress});
    }
    return result;
}

// The pronunciation element's text, as the real service writes it with its stress marks ("ˈbā-bē"), here with the
// headword's own letters ("ˈba-by", "New ˈhamp-shire"); empty for a headword without stress.
QString LocalDictionaryService::pronunciation(const Homograph& homograph) {
    if (homograph.stress.size() != Division::markedSyllables(homograph.headword) || homograph.stress.size() < 2)
        return {};
    QString spoken;
    qsizetype syllable = 0;
    bool syllableStart = true;
    for (const QChar c : homograph.headword) {
        if (c == Division::kMark || c == u' ' || c == u'-') {
            spoken += c == u' ' ? QChar(u' ') : QChar(u'-');
            syllableStart = true;
            continue;
        }
        if (syllableStart && syllable < homograph.stress.size()) {
            const QChar level = homograph.stress[syllable++];
            if (level == u'1')
                spoken += Division::kPrimaryStress;
            else if (level == u'2')
                spoken += Division::kSecondaryStress;
        }
        syllableStart = false;
        spoken += c.toLower();
    }
    return spoken;
}

QByteArray LocalDictionaryService::answerFor(const QString& word) const {
    const QList<Homograph> found = homographs(word);
    if (found.isEmpty())
        return suggestionsFor(word);
    const QString id = word.trimmed();
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<entry_list version=\"1.0\">\n";
    int index = 0;
    for (const Homograph& homograph : found) {
        ++index;
        const QByteArray entryId = xmlText(id) + (index > 1 ? "[" + QByteArray::number(index) + "]" : "");
        const QByteArray hindex = found.size() > 1 ? " hindex=\"" + QByteArray::number(index) + "\"" : "";
        xml += "  <entry id=\"" + entryId + "\"><ew>" + xmlText(id) + "</ew><hw" + hindex + ">" +
               xmlText(homograph.headword) + "</hw>";
        if (const QString spoken = pronunciation(homograph); !spoken.isEmpty())
            xml += "<pr>" + xmlText(spoken) + "</pr>";
        if (!homograph.label.isEmpty())
            xml += "<fl>" + xmlText(homograph.label) + "</fl>";
        xml += "</entry>\n";
    }
    return xml + "</entry_list>\n";
}

QByteArray LocalDictionaryService::suggestionsFor(const QString& word) const {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<entry_list version=\"1.0\">\n";
    const QStringList closest =
        m_dictionary ? m_dictionary->lexicon().closestKeys(WordKey::fold(word.trimmed()), kMaxSuggestions)
                     : QStringList();
    for (const QString& suggestion : closest)
        xml += "  <suggestion>" + xmlText(suggestion) + "</suggestion>\n";
    return xml + "</entry_list>\n";
}

LocalDictionaryService::Reply LocalDictionaryService::misbehave(Behaviour behaviour, const QString& word) const {
    switch (behaviour) {
    case Behaviour::CloseWithoutAnswer:
        return {200, {}, {}, true};
    case Behaviour::ServerError:
        return {500, "text/html; charset=utf-8",
                "<!DOCTYPE html>\n<html><head><title>500 Internal Server Error</title></head>\n"
                "<body><h1>Internal Server Error</h1><p>The server could not answer the request.</p></body></html>\n"};
    case Behaviour::EmptyBody:
        return {200, "text/xml; charset=utf-8", {}};
    case Behaviour::Utf16:
        return {200, "text/xml; charset=utf-16", utf16WithMark(answerFor(word))};
    case Behaviour::Normal:
        break;
    }
    return {200, "text/xml; charset=utf-8", answerFor(word)};
}

LocalDictionaryService::Reply LocalDictionaryService::replyFor(const QString& word, const QString& key) const {
    if (key != m_key)
        return {403, "text/plain; charset=utf-8", "Invalid API key. Not subscribed for this reference.\n"};
    if (!m_testWords || !word.startsWith(kTestPrefix))
        return misbehave(m_behaviour, word);
    const QStringList parts = word.mid(kTestPrefix.size()).split(QLatin1Char(':'));
    const QString what = parts.front();
    if (what == QLatin1String("close"))
        return misbehave(Behaviour::CloseWithoutAnswer, word);
    if (what == QLatin1String("500"))
        return misbehave(Behaviour::ServerError, word);
    if (what == QLatin1String("empty"))
        return misbehave(Behaviour::EmptyBody, word);
    if (what == QLatin1String("utf16"))
        return misbehave(Behaviour::Utf16, parts.mid(1).join(QLatin1Char(':')));
    if (what == QLatin1String("delay"))
        return misbehave(m_behaviour, parts.mid(2).join(QLatin1Char(':')));
    return misbehave(m_behaviour, word);
}

bool LocalDictionaryService::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    const QString path = request.url().path(QUrl::FullyEncoded);
    if (!path.startsWith(kPath))
        return false;
    if (request.method() != QHttpServerRequest::Method::Get) {
        send(socket, {405, "text/plain; charset=utf-8", "Only GET is answered.\n"}, 0);
        return true;
    }
    const QString word = QUrl::fromPercentEncoding(path.mid(kPath.size()).toUtf8());
    const QString key = request.query().queryItemValue(QStringLiteral("key"), QUrl::FullyDecoded);
    if (m_received.size() >= kRecordedWords)
        m_received.removeFirst();
    m_received.append(word);
    ++m_requests;
    int delayMs = m_delayMs + nextDelayMs();
    if (m_testWords && word.startsWith(kTestPrefix + QStringLiteral("delay:")))
        delayMs += word.section(QLatin1Char(':'), 2, 2).toInt();
    send(socket, dropNext(word) ? misbehave(Behaviour::CloseWithoutAnswer, word) : replyFor(word, key), delayMs);
    return true;
}

int LocalDictionaryService::nextDelayMs() {
    if (m_delayEvery == 0 || m_delaysMs.isEmpty() || m_requests % m_delayEvery != 0)
        return 0;
    const int delayMs = m_delaysMs[m_nextDelay];
    m_nextDelay = (m_nextDelay + 1) % m_delaysMs.size();
    return std::max(0, delayMs);
}

bool LocalDictionaryService::dropNext(const QString& word) {
    if (m_droppedPending && word == m_droppedWord) {
        m_droppedPending = false; // the retry of a dropped word is answered
        return false;
    }
    if (m_dropEvery == 0 || m_requests % m_dropEvery != 0)
        return false;
    m_droppedWord = word;
    m_droppedPending = true;
    ++m_dropped;
    return true;
}

void LocalDictionaryService::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
    send(socket, {404, "text/plain; charset=utf-8", "Not found.\n"}, 0);
}

void LocalDictionaryService::send(QTcpSocket* socket, const Reply& reply, int delayMs) {
    QPointer<QTcpSocket> target(socket);
    const auto answer = [target, reply] {
        if (!target)
            return;
        if (!reply.close) {
            QByteArray bytes = "HTTP/1.1 " + QByteArray::number(reply.status) + " " + reasonPhrase(reply.status) +
                               "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                               "\r\nConnection: close\r\n";
            if (!reply.contentType.isEmpty())
                bytes += "Content-Type: " + reply.contentType + "\r\n";
            target->write(bytes + "\r\n" + reply.body);
            target->disconnectFromHost();
        } else {
            target->abort();
        }
    };
    if (delayMs > 0)
        QTimer::singleShot(delayMs, this, answer);
    else
        QTimer::singleShot(0, this, answer);
}
