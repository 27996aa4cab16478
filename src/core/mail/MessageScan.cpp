#include "core/mail/MessageScan.h"

#include "core/common/Windows1252.h"
#include "core/mail/BodyLogs.h"
#include "core/mail/GMimeSession.h"
#include "core/mail/LogAttachment.h"

#include <gmime/gmime.h>

#include <QScopeGuard>
#include <QSet>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace qvmd {
namespace {

// Deeper than any mail program nests; the library has its own limit as well.
constexpr int DeepestPart = 32;

template <typename T> struct Unref {
    void operator()(T* object) const {
        if (object)
            g_object_unref(object);
    }
};
template <typename T> using Owned = std::unique_ptr<T, Unref<T>>;

struct GFree {
    void operator()(void* memory) const { g_free(memory); }
};
using OwnedText = std::unique_ptr<char, GFree>;

QString fromLibrary(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

// The parser's complaints that mean parts of the message may be missing; the others (a duplicated
// header, an unencoded name) cost nothing of its content.
struct Complaints {
    QSet<int> seen;
    QStringList names; // in the order first seen

    static void collect(gint64, GMimeParserWarning code, const gchar*, gpointer self) {
        static_cast<Complaints*>(self)->add(code);
    }
    void add(GMimeParserWarning code) {
        const char* name = nameOf(code);
        if (name && !seen.contains(code)) {
            seen.insert(code);
            names.append(QLatin1String(name));
        }
    }
    // Stable keys, turned into the run's language by the checker's texts.
    static const char* nameOf(GMimeParserWarning code) {
        switch (code) {
        case GMIME_WARN_TRUNCATED_MESSAGE:
            return "truncated";
        case GMIME_WARN_MALFORMED_MULTIPART:
            return "empty-multipart";
        case GMIME_CRIT_MULTIPART_WITHOUT_BOUNDARY:
            return "no-boundary";
        case GMIME_CRIT_NESTING_OVERFLOW:
            return "nesting";
        case GMIME_CRIT_PART_WITHOUT_HEADERS_OR_CONTENT:
            return "part-without-headers";
        case GMIME_WARN_MALFORMED_MESSAGE:
            return "malformed";
        case GMIME_CRIT_INVALID_HEADER_NAME:
        case GMIME_CRIT_CONFLICTING_HEADER:
        case GMIME_CRIT_CONFLICTING_PARAMETER:
            return "bad-header";
        default:
            return nullptr;
        }
    }
};

class Scan {
public:
    explicit Scan(MessageOrigin origin) : origin_(std::move(origin)) {}

    MessageHarvest run(QByteArrayView bytes, bool headersOnly) {
        ensureGMime();
        // The library reads the message where it lies: an array of its own points at the bytes, and the
        // stream never owns, grows or frees it. Every object that reads it is gone before the bytes are.
        std::unique_ptr<GByteArray, void (*)(GByteArray*)> array(g_byte_array_new(), [](GByteArray* a) {
            a->len = 0;
            g_byte_array_unref(a);
        });
        guint8* const own = array->data;
        const auto restore = qScopeGuard([&] { array->data = own; });
        array->data = reinterpret_cast<guint8*>(const_cast<char*>(bytes.data()));
        array->len = static_cast<guint>(bytes.size());
        Owned<GMimeStream> stream(g_mime_stream_mem_new_with_byte_array(array.get()));
        g_mime_stream_mem_set_owner(GMIME_STREAM_MEM(stream.get()), FALSE);
        Owned<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
        g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);
        std::unique_ptr<GMimeParserOptions, void (*)(GMimeParserOptions*)> options(
            g_mime_parser_options_new(), g_mime_parser_options_free);
        Complaints complaints;
        g_mime_parser_options_set_warning_callback(options.get(), &Complaints::collect, &complaints);
        Owned<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), options.get()));
        if (message)
            readOrigin(message.get());
        if (headersOnly) {
            note(MailNote::Kind::MessageTooLarge);
            return std::move(harvest_);
        }
        if (message)
            visit(g_mime_message_get_mime_part(message.get()), 0);
        if (!message)
            complaints.add(GMIME_WARN_MALFORMED_MESSAGE);
        if (!complaints.names.isEmpty())
            note(MailNote::Kind::BrokenMime, QString(), complaints.names.join(QStringLiteral(", ")));
        if (harvest_.logs.empty() && harvest_.notes.empty())
            note(MailNote::Kind::NoLog, attachmentNames_.join(QStringLiteral("; ")));
        return std::move(harvest_);
    }

private:
    void readOrigin(GMimeMessage* message) {
        if (InternetAddressList* from = g_mime_message_get_from(message)) {
            const OwnedText text(internet_address_list_to_string(from, nullptr, FALSE));
            origin_.sender = fromLibrary(text.get());
        }
        origin_.subject = fromLibrary(g_mime_message_get_subject(message));
        if (GDateTime* date = g_mime_message_get_date(message)) {
            origin_.sent = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(date), Qt::UTC);
            const QDate day = origin_.sent.date();
            const QTime time = origin_.sent.time();
            char text[40];
            std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d UTC", day.day(), day.month(),
                          day.year(), time.hour(), time.minute(), time.second());
            origin_.date = QString::fromLatin1(text);
        }
    }

    void note(MailNote::Kind kind, const QString& attachment = QString(), const QString& value = QString()) {
        MailNote note;
        note.kind = kind;
        note.origin = origin_;
        note.attachment = attachment;
        note.value = value;
        harvest_.notes.push_back(std::move(note));
    }

    void visit(GMimeObject* object, int depth) {
        if (!object || depth > DeepestPart)
            return;
        if (GMIME_IS_MESSAGE_PART(object)) {
            if (GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object)))
                visit(g_mime_message_get_mime_part(inner), depth + 1);
        } else if (GMIME_IS_MULTIPART(object)) {
            GMimeMultipart* multipart = GMIME_MULTIPART(object);
            const int count = g_mime_multipart_get_count(multipart);
            for (int i = 0; i < count; ++i)
                visit(g_mime_multipart_get_part(multipart, i), depth + 1);
        } else if (GMIME_IS_PART(object)) {
            visitPart(GMIME_PART(object));
        }
    }

    void visitPart(GMimePart* part) {
        GMimeObject* object = GMIME_OBJECT(part);
        const QString name = fromLibrary(g_mime_part_get_filename(part));
        GMimeContentType* type = g_mime_object_get_content_type(object);
        const OwnedText mimeType(type ? g_mime_content_type_get_mime_type(type) : nullptr);
        const QString typeName = fromLibrary(mimeType.get()).toLower();
        if (!name.isEmpty())
            attachmentNames_.append(name);
        if (isArchive(name, typeName)) {
            note(MailNote::Kind::Zip, name);
            return;
        }
        const bool logNamed = isLogName(name);
        if (!logNamed && typeName != QLatin1String("text/plain"))
            return;
        std::optional<QByteArray> bytes = content(part);
        if (!bytes) {
            note(MailNote::Kind::AttachmentTooLarge, name);
            return;
        }
        if (logNamed) {
            if (const std::optional<MailNote::Kind> problem = notALog(*bytes))
                note(*problem, name);
            else
                harvest_.logs.push_back({name, std::move(*bytes), origin_});
            return;
        }
        const QString text =
            decoded(*bytes, fromLibrary(g_mime_object_get_content_type_parameter(object, "charset")));
        const bool flowed =
            fromLibrary(g_mime_object_get_content_type_parameter(object, "format")).toLower() ==
            QLatin1String("flowed");
        const bool deleteSpace =
            fromLibrary(g_mime_object_get_content_type_parameter(object, "delsp")).toLower() ==
            QLatin1String("yes");
        for (BodyLog& log : findBodyLogs(flowed ? unflowed(text, deleteSpace) : text)) {
            if (log.brokenRecords > 0)
                note(MailNote::Kind::WrappedLog, log.name, QString::number(log.brokenRecords));
            harvest_.logs.push_back({std::move(log.name), std::move(log.bytes), origin_, log.brokenRecords});
        }
    }

    // The part's bytes with the transfer encoding undone and nothing else changed; nothing when they
    // are over the limit.
    static std::optional<QByteArray> content(GMimePart* part) {
        GMimeDataWrapper* wrapper = g_mime_part_get_content(part);
        if (!wrapper)
            return QByteArray();
        GMimeStream* source = g_mime_data_wrapper_get_stream(wrapper);
        // Decoding never makes a part larger than it is written, but for uuencode's few bytes.
        if (source && g_mime_stream_length(source) > MaxMessageBytes)
            return std::nullopt;
        // Room for the decoded bytes at once: they are never more than the encoded ones.
        const gint64 length = source ? g_mime_stream_length(source) : -1;
        Owned<GMimeStream> out(g_mime_stream_mem_new_with_byte_array(
            g_byte_array_sized_new(length > 0 ? static_cast<guint>(length) : 0)));
        if (g_mime_data_wrapper_write_to_stream(wrapper, out.get()) < 0)
            return QByteArray();
        const GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
        if (!array || array->len == 0)
            return QByteArray();
        if (array->len > MaxMessageBytes)
            return std::nullopt;
        return QByteArray(reinterpret_cast<const char*>(array->data), static_cast<qsizetype>(array->len));
    }

    // A text body in Unicode. Windows-1252 stands in for ASCII and ISO-8859-1, as mail programs on
    // Windows label it so, and for a character set the library does not know (with a note).
    QString decoded(const QByteArray& bytes, const QString& charset) {
        const QString name = charset.trimmed().toLower();
        if (name.isEmpty() || name == QLatin1String("us-ascii") || name == QLatin1String("ascii") ||
            name == QLatin1String("windows-1252") || name == QLatin1String("cp1252") ||
            name == QLatin1String("iso-8859-1") || name == QLatin1String("latin1"))
            return fromWindows1252(bytes);
        if (name == QLatin1String("utf-8") || name == QLatin1String("utf8"))
            return QString::fromUtf8(bytes);
        const QByteArray charsetName = name.toLatin1();
        iconv_t converter = g_mime_iconv_open("UTF-8", g_mime_charset_iconv_name(charsetName.constData()));
        if (converter != reinterpret_cast<iconv_t>(-1)) {
            const OwnedText text(
                g_mime_iconv_strndup(converter, bytes.constData(), static_cast<std::size_t>(bytes.size())));
            g_mime_iconv_close(converter);
            if (text)
                return QString::fromUtf8(text.get());
        }
        note(MailNote::Kind::UnknownCharset, QString(), charset);
        return fromWindows1252(bytes);
    }

    MessageOrigin origin_;
    MessageHarvest harvest_;
    QStringList attachmentNames_;
};

} // namespace

MessageHarvest scanMessage(QByteArrayView bytes, MessageOrigin origin) {
    return Scan(std::move(origin)).run(bytes, false);
}

MessageHarvest tooLargeMessage(QByteArrayView head, MessageOrigin origin) {
    return Scan(std::move(origin)).run(head, true);
}

} // namespace qvmd
