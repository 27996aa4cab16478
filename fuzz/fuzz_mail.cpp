#include "FuzzFolder.h"
#include "core/common/Windows1252.h"
#include "core/mail/BodyLogs.h"
#include "core/mail/LogAttachment.h"
#include "core/mail/MboxSplitter.h"
#include "core/mail/MessageScan.h"

// The mail reader on arbitrary bytes: read as one message, and as an mbox cut in pieces of a size the
// input chooses. Nothing may crash; every log found carries a name that stays inside the report folder
// and bytes that begin as a log does; the cutter gives the same messages however it is fed.
namespace {

void checkHarvest(const qvmd::MessageHarvest& harvest) {
    for (const qvmd::ReceivedLog& log : harvest.logs) {
        if (log.name.isEmpty() || log.name.contains(u'/') || log.name.contains(u'\\') ||
            log.name.startsWith(u'.'))
            __builtin_trap();
        // A log in a body may hold any character its text did, but it always begins with its header.
        if (qvmd::notALog(log.bytes) == qvmd::MailNote::Kind::NoHeader)
            __builtin_trap();
    }
    for (const qvmd::MailNote& note : harvest.notes)
        if (note.kind == qvmd::MailNote::Kind::NoLog && !harvest.logs.empty())
            __builtin_trap();
}

std::vector<qvmd::MboxSplitter::Message> cut(QByteArrayView bytes, qsizetype piece) {
    std::vector<qvmd::MboxSplitter::Message> messages;
    qvmd::MboxSplitter splitter(
        4096, [&](qvmd::MboxSplitter::Message&& message) { messages.push_back(std::move(message)); });
    for (qsizetype i = 0; i < bytes.size(); i += piece)
        splitter.feed(bytes.sliced(i, std::min(piece, bytes.size() - i)));
    splitter.finish();
    return messages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView input = qvmd::fuzz::bytesOf(data, size);
    checkHarvest(qvmd::scanMessage(input, {}));

    const qsizetype piece = size > 0 ? 1 + data[0] % 64 : 1;
    const std::vector<qvmd::MboxSplitter::Message> messages = cut(input, piece);
    const std::vector<qvmd::MboxSplitter::Message> whole = cut(input, std::max<qsizetype>(1, input.size()));
    if (messages.size() != whole.size())
        __builtin_trap();
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (messages[i].bytes != whole[i].bytes || messages[i].size != whole[i].size ||
            messages[i].number != static_cast<qint64>(i) + 1 ||
            (messages[i].bytes.size() > 4096 && !messages[i].tooLarge))
            __builtin_trap();
        checkHarvest(qvmd::scanMessage(messages[i].bytes, {}));
    }

    const QString text = qvmd::fromWindows1252(input);
    for (const qvmd::BodyLog& log : qvmd::findBodyLogs(qvmd::unflowed(text, size % 2 == 0)))
        if (!log.bytes.startsWith("##") || !log.bytes.endsWith("\r\n") || log.name.contains(u'/'))
            __builtin_trap();
    return 0;
}
