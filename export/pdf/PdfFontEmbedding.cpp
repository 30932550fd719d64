#include "export/pdf/PdfFontEmbedding.h"

#include "export/pdf/PdfFontTables.h"
#include "platform/CodePage.h"

#include <QCryptographicHash>
#include <QFile>
#include <fontconfig/fontconfig.h>
#include <hb-subset.h>
#include <hb.h>
#include <memory>

namespace zelmio {

namespace {

struct BlobDeleter {
    void operator()(hb_blob_t *b) const { hb_blob_destroy(b); }
};
struct FaceDeleter {
    void operator()(hb_face_t *f) const { hb_face_destroy(f); }
};
struct InputDeleter {
    void operator()(hb_subset_input_t *i) const { hb_subset_input_destroy(i); }
};
using Blob = std::unique_ptr<hb_blob_t, BlobDeleter>;
using Face = std::unique_ptr<hb_face_t, FaceDeleter>;

// A face over bytes that outlive it.
Face FaceOf(const QByteArray &data, int index)
{
    Blob blob(hb_blob_create(data.constData(), static_cast<unsigned>(data.size()), HB_MEMORY_MODE_READONLY, nullptr,
                             nullptr));
    return Face(hb_face_create(blob.get(), static_cast<unsigned>(index)));
}

QByteArray Table(hb_face_t *face, hb_tag_t tag)
{
    Blob blob(hb_face_reference_table(face, tag));
    unsigned length = 0;
    const char *data = hb_blob_get_data(blob.get(), &length);
    return QByteArray(data, qsizetype(length));
}

QString Quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace

TFontFile FindFontFile(const TPdfFontKey &key)
{
    const QRawFont raw = SelectRawFont(key);
    if (!raw.isValid())
        throw EVxError(QStringLiteral("GetFontData error: no font file found for %1").arg(Quoted(key.Name)));
    // The file whose head table is the one of the font Qt selected: among
    // the files of its family, the same face, not just a similar one.
    const QByteArray head = raw.fontTable("head");
    const QByteArray family = raw.familyName().toUtf8();
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.constData()));
    FcObjectSet *objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FcFontSet *set = FcFontList(nullptr, pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    TFontFile found;
    QString unreadable;
    for (int i = 0; set && i < set->nfont && found.Data.isEmpty(); ++i) {
        FcChar8 *file = nullptr;
        int index = 0;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
        const QString path = QString::fromUtf8(reinterpret_cast<const char *>(file));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            unreadable = path + QStringLiteral(": ") + f.errorString();
            continue;
        }
        QByteArray data = f.readAll();
        if (!head.isEmpty() && Table(FaceOf(data, index).get(), HB_TAG('h', 'e', 'a', 'd')) == head)
            found = TFontFile{path, index, std::move(data)};
    }
    if (set)
        FcFontSetDestroy(set);
    if (found.Data.isEmpty())
        throw EVxError(QStringLiteral("GetFontData error: the font file of %1 (%2 %3) cannot be read%4")
                           .arg(Quoted(key.Name), raw.familyName(), raw.styleName(),
                                unreadable.isEmpty() ? QString() : QStringLiteral(": ") + unreadable));
    return found;
}

std::array<char16_t, 256> CodeCharacters(int charset)
{
    const TCodePage *cp = TCodePage::find(CodePageOfCharset(charset));
    if (!cp)
        cp = TCodePage::find(1252);
    std::array<char16_t, 256> chars{};
    for (int code = 2; code < 256; ++code)
        chars[size_t(code)] = cp->toUnicode(static_cast<unsigned char>(code));
    return chars;
}

QByteArray SubsetFontProgram(const TFontFile &file, const std::bitset<256> &usedCodes,
                             const std::array<char16_t, 256> &characters, const QString &fontName)
{
    const QString where = Quoted(fontName) + QStringLiteral(" (") + file.Path + QLatin1Char(')');
    const Face face = FaceOf(file.Data, file.FaceIndex);
    if (hb_face_get_glyph_count(face.get()) == 0 || Table(face.get(), HB_TAG('h', 'e', 'a', 'd')).size() < 54)
        throw EVxError(QStringLiteral("Font %1 cannot be embedded: the file is not a TrueType font").arg(where));
    if (Table(face.get(), HB_TAG('g', 'l', 'y', 'f')).isEmpty() || Table(face.get(), HB_TAG('l', 'o', 'c', 'a')).isEmpty())
        throw EVxError(QStringLiteral("Font %1 cannot be embedded: it has no TrueType outlines").arg(where));

    std::unique_ptr<hb_subset_input_t, InputDeleter> input(hb_subset_input_create_or_fail());
    if (!input)
        throw EVxError(QStringLiteral("Font %1 cannot be embedded: out of memory").arg(where));
    hb_set_t *unicodes = hb_subset_input_unicode_set(input.get());
    for (int code = 0; code < 256; ++code) {
        if (usedCodes.test(size_t(code)) && characters[size_t(code)] != 0)
            hb_set_add(unicodes, characters[size_t(code)]);
    }
    // Glyph names stay, so that viewers find a glyph by the name the
    // "/Differences" array gives its code; the layout tables of shaping
    // are of no use to a single-byte font.
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_GLYPH_NAMES);
    hb_set_t *dropped = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (hb_tag_t tag : {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
                         HB_TAG('k', 'e', 'r', 'n'), HB_TAG('D', 'S', 'I', 'G'), HB_TAG('h', 'd', 'm', 'x'),
                         HB_TAG('L', 'T', 'S', 'H'), HB_TAG('V', 'D', 'M', 'X')})
        hb_set_add(dropped, tag);
    const Face subset(hb_subset_or_fail(face.get(), input.get()));
    if (!subset)
        throw EVxError(QStringLiteral("Font %1 cannot be embedded: its glyphs cannot be subset").arg(where));
    Blob blob(hb_face_reference_blob(subset.get()));
    unsigned length = 0;
    const char *data = hb_blob_get_data(blob.get(), &length);
    if (length == 0)
        throw EVxError(QStringLiteral("Font %1 cannot be embedded: its glyphs cannot be subset").arg(where));
    return QByteArray(data, qsizetype(length));
}

QString SubsetTag(const QString &psName, const std::bitset<256> &usedCodes)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(psName.toUtf8());
    hash.addData(QByteArray::fromStdString(usedCodes.to_string()));
    const QByteArray digest = hash.result();
    QString tag;
    for (int i = 0; i < 6; ++i)
        tag += QLatin1Char(char('A' + quint8(digest[i]) % 26));
    return tag;
}

QByteArray ToUnicodeCMap(const std::bitset<256> &usedCodes, const std::array<char16_t, 256> &characters)
{
    QList<QByteArray> pairs;
    for (int code = 0; code < 256; ++code) {
        if (usedCodes.test(size_t(code)) && characters[size_t(code)] != 0)
            pairs << QString::asprintf("<%02X> <%04X>", code, unsigned(characters[size_t(code)])).toLatin1();
    }
    QByteArray out = "/CIDInit /ProcSet findresource begin\r\n"
                     "12 dict begin\r\n"
                     "begincmap\r\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\r\n"
                     "/CMapName /Adobe-Identity-UCS def\r\n"
                     "/CMapType 2 def\r\n"
                     "1 begincodespacerange\r\n"
                     "<00> <FF>\r\n"
                     "endcodespacerange\r\n";
    // At most 100 mappings to a block.
    for (qsizetype from = 0; from < pairs.size(); from += 100) {
        const qsizetype count = std::min<qsizetype>(100, pairs.size() - from);
        out += QByteArray::number(count) + " beginbfchar\r\n";
        for (qsizetype i = from; i < from + count; ++i)
            out += pairs[i] + "\r\n";
        out += "endbfchar\r\n";
    }
    out += "endcmap\r\n"
           "CMapName currentdict /CMap defineresource pop\r\n"
           "end\r\n"
           "end\r\n";
    return out;
}

} // namespace zelmio
