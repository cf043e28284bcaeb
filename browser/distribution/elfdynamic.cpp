#include "elfdynamic.h"

#include <QFile>
#include <QtEndian>

#include <cstring>
#include <optional>

namespace {

constexpr quint32 PtLoad = 1;
constexpr quint32 PtDynamic = 2;
constexpr qint64 DtNull = 0;
constexpr qint64 DtNeeded = 1;
constexpr qint64 DtStrTab = 5;
constexpr qint64 DtStrSz = 10;
constexpr qint64 DtSoName = 14;
constexpr qint64 DtRPath = 15;
constexpr qint64 DtRunPath = 29;

// Reads fixed-size integers of the file's byte order, refusing reads past the end.
class Reader
{
public:
    Reader(QByteArrayView bytes, bool bigEndian) : m_bytes(bytes), m_big(bigEndian) {}

    bool has(quint64 offset, quint64 size) const
    {
        return offset <= quint64(m_bytes.size()) && size <= quint64(m_bytes.size()) - offset;
    }
    template<typename T>
    T get(quint64 offset) const
    {
        T v;
        std::memcpy(&v, m_bytes.data() + offset, sizeof v);
        return m_big ? qFromBigEndian(v) : qFromLittleEndian(v);
    }
    quint64 word(quint64 offset, bool is64) const { return is64 ? get<quint64>(offset) : get<quint32>(offset); }
    QByteArrayView bytes() const { return m_bytes; }

private:
    QByteArrayView m_bytes;
    bool m_big;
};

struct Segment {
    quint64 offset, vaddr, filesz;
};

QStringList splitPath(const QString &text)
{
    return text.split(u':', Qt::SkipEmptyParts);
}

} // namespace

ElfDynamic parseElfDynamic(QByteArrayView bytes)
{
    ElfDynamic elf;
    if (bytes.size() < 52 || std::memcmp(bytes.data(), "\x7f" "ELF", 4) != 0) {
        elf.error = QStringLiteral("not an ELF file");
        return elf;
    }
    const int cls = quint8(bytes[4]);
    const int data = quint8(bytes[5]);
    if ((cls != 1 && cls != 2) || (data != 1 && data != 2)) {
        elf.error = QStringLiteral("unknown ELF class or byte order");
        return elf;
    }
    const bool is64 = cls == 2;
    const Reader r(bytes, data == 2);
    if (!r.has(0, is64 ? 64 : 52)) {
        elf.error = QStringLiteral("truncated ELF header");
        return elf;
    }
    elf.elfClass = cls;
    elf.machine = r.get<quint16>(18);
    const quint64 phoff = r.word(is64 ? 32 : 28, is64);
    const quint16 phentsize = r.get<quint16>(is64 ? 54 : 42);
    const quint16 phnum = r.get<quint16>(is64 ? 56 : 44);
    if (phentsize < (is64 ? 56 : 32) || !r.has(phoff, quint64(phentsize) * phnum)) {
        elf.error = QStringLiteral("program headers out of range");
        return elf;
    }

    QList<Segment> loads;
    quint64 dynOffset = 0, dynSize = 0;
    for (quint16 i = 0; i < phnum; ++i) {
        const quint64 ph = phoff + quint64(i) * phentsize;
        const quint32 type = r.get<quint32>(ph);
        const quint64 offset = is64 ? r.get<quint64>(ph + 8) : r.get<quint32>(ph + 4);
        const quint64 vaddr = is64 ? r.get<quint64>(ph + 16) : r.get<quint32>(ph + 8);
        const quint64 filesz = is64 ? r.get<quint64>(ph + 32) : r.get<quint32>(ph + 16);
        if (type == PtLoad)
            loads.append({offset, vaddr, filesz});
        else if (type == PtDynamic)
            dynOffset = offset, dynSize = filesz, elf.hasDynamicSection = true;
    }
    elf.ok = true;
    if (!elf.hasDynamicSection)
        return elf;
    if (!r.has(dynOffset, dynSize)) {
        elf.ok = false;
        elf.error = QStringLiteral("dynamic section out of range");
        return elf;
    }

    const quint64 entrySize = is64 ? 16 : 8;
    quint64 strTab = 0, strSize = 0;
    QList<std::pair<qint64, quint64>> entries;
    for (quint64 at = dynOffset; at + entrySize <= dynOffset + dynSize; at += entrySize) {
        const qint64 tag = is64 ? qint64(r.get<quint64>(at)) : qint64(qint32(r.get<quint32>(at)));
        const quint64 value = r.word(at + entrySize / 2, is64);
        if (tag == DtNull)
            break;
        if (tag == DtStrTab)
            strTab = value;
        else if (tag == DtStrSz)
            strSize = value;
        else
            entries.append({tag, value});
    }
    // DT_STRTAB is an address in memory; find the file offset through the loaded segments.
    std::optional<quint64> strOffset;
    for (const Segment &s : loads) {
        if (strTab >= s.vaddr && strTab < s.vaddr + s.filesz) {
            strOffset = s.offset + (strTab - s.vaddr);
            break;
        }
    }
    if (!strOffset || !r.has(*strOffset, strSize)) {
        elf.ok = false;
        elf.error = QStringLiteral("string table out of range");
        return elf;
    }
    const QByteArrayView strings = bytes.sliced(qsizetype(*strOffset), qsizetype(strSize));
    const auto stringAt = [&strings](quint64 index) -> std::optional<QString> {
        if (index >= quint64(strings.size()))
            return std::nullopt;
        const QByteArrayView rest = strings.sliced(qsizetype(index));
        const qsizetype end = rest.indexOf('\0');
        if (end < 0)
            return std::nullopt;
        return QString::fromUtf8(rest.first(end));
    };
    for (const auto &[tag, value] : entries) {
        if (tag != DtNeeded && tag != DtSoName && tag != DtRPath && tag != DtRunPath)
            continue;
        const std::optional<QString> s = stringAt(value);
        if (!s) {
            elf.ok = false;
            elf.error = QStringLiteral("dynamic entry names a string out of range");
            return elf;
        }
        if (tag == DtNeeded) {
            elf.needed << *s;
        } else if (tag == DtSoName) {
            elf.soName = *s;
        } else if (tag == DtRPath) {
            elf.rPath << splitPath(*s);
        } else {
            elf.runPath << splitPath(*s);
            elf.hasRunPath = true;
        }
    }
    return elf;
}

ElfDynamic readElfDynamic(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ElfDynamic elf;
        elf.error = file.errorString();
        return elf;
    }
    const qint64 size = file.size();
    if (size <= 0) {
        ElfDynamic elf;
        elf.error = QStringLiteral("not an ELF file");
        return elf;
    }
    if (uchar *mapped = file.map(0, size)) {
        const ElfDynamic elf = parseElfDynamic(QByteArrayView(reinterpret_cast<const char *>(mapped), qsizetype(size)));
        file.unmap(mapped);
        return elf;
    }
    const QByteArray bytes = file.readAll();
    return parseElfDynamic(bytes);
}
