#include "dictionary/LocalDictionaryService.h"

#include "common/DataFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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

qsizetype commonPrefix(const QString& a, const QString& b) {
    const qsizetype limit = std::min(a.size(), b.size());
    qsizetype length = 0;
    while (length < limit && a[length] == b[length])
        ++length;
    return length;
}

// One data line: word|headword[:label]|headword[:label]...
bool parseLine(const QString& line, QString& word, QList<LocalDictionaryService::Homograph>& homographs) {
    const QStringList fields = line.split(QLatin1Char('|'));
    if (fields.size() < 2)
        return false;
    word = fields.front().trimmed();
    homographs.clear();
    for (qsizetype i = 1; i < fields.size(); ++i) {
        const QString field = fields[i].trimmed();
        const qsizetype colon = field.indexOf(QLatin1Char(':'));
        LocalDictionaryService::Homograph homograph{colon < 0 ? field : field.left(colon).trimmed(),
                                                    colon < 0 ? QString() : field.mid(colon + 1).trimmed()};
        if (homograph.headword.isEmpty())
            return false;
        homographs.append(homograph);
    }
    return !word.isEmpty();
}

} // namespace

LocalDictionaryService::LocalDictionaryService(QObject* parent) : QAbstractHttpServer(parent) {}

QString LocalDictionaryService::newKey() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString LocalDictionaryService::defaultDataFile() {
    return DataFiles::path(QStringLiteral("words.txt"));
}

bool LocalDictionaryService::start(const Options& options) {
    m_key = options.key.isEmpty() ? newKey() : options.key;
    m_behaviour = options.behaviour;
    m_delayMs = std::max(0, options.delayMs);
    if (!load(options.dataFile.isEmpty() ? defaultDataFile() : options.dataFile))
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

bool LocalDictionaryService::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = QStringLiteral("The word data %1 could not be read.").arg(path);
        return false;
    }
    m_words.clear();
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        Word entry;
        if (!parseLine(line, entry.word, entry.homographs)) {
            m_error = QStringLiteral("Line %1 of %2 is not of the form word|headword.").arg(lineNumber).arg(path);
            return false;
        }
        m_words.insert(entry.word.toLower(), entry);
    }
    if (m_words.isEmpty()) {
        m_error = QStringLiteral("The word data %1 holds no words.").arg(path);
        return false;
    }
    return true;
}

QList<LocalDictionaryService::Homograph> LocalDictionaryService::homographs(const QString& word) const {
    const auto found = m_words.constFind(word.toLower());
    return found == m_words.cend() ? QList<Homograph>() : found->homographs;
}

QByteArray LocalDictionaryService::answerFor(const QString& word) const {
    const auto found = m_words.constFind(word.toLower());
    if (found == m_words.cend())
        return suggestionsFor(word);
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<entry_list version=\"1.0\">\n";
    int index = 0;
    for (const Homograph& homograph : found->homographs) {
        ++index;
        const QByteArray id = xmlText(found->word) + (index > 1 ? "[" + QByteArray::number(index) + "]" : "");
        const QByteArray hindex = found->homographs.size() > 1 ? " hindex=\"" + QByteArray::number(index) + "\"" : "";
        xml += "  <entry id=\"" + id + "\"><ew>" + xmlText(found->word) + "</ew><hw" + hindex + ">" +
               xmlText(homograph.headword) + "</hw>";
        if (!homograph.label.isEmpty())
            xml += "<fl>" + xmlText(homograph.label) + "</fl>";
        xml += "</entry>\n";
    }
    return xml + "</entry_list>\n";
}

QByteArray LocalDictionaryService::suggestionsFor(const QString& word) const {
    const QString wanted = word.toLower();
    QList<QPair<qsizetype, QString>> ranked;
    for (auto it = m_words.cbegin(); it != m_words.cend(); ++it) {
        const qsizetype shared = commonPrefix(wanted, it.key());
        if (shared > 0)
            ranked.append({-shared, it->word});
    }
    std::sort(ranked.begin(), ranked.end());
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<entry_list version=\"1.0\">\n";
    for (qsizetype i = 0; i < std::min<qsizetype>(ranked.size(), kMaxSuggestions); ++i)
        xml += "  <suggestion>" + xmlText(ranked[i].second) + "</suggestion>\n";
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
    if (!word.startsWith(kTestPrefix))
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
    int delayMs = m_delayMs;
    if (word.startsWith(kTestPrefix + QStringLiteral("delay:")))
        delayMs += word.section(QLatin1Char(':'), 2, 2).toInt();
    send(socket, replyFor(word, key), delayMs);
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
