#include "output/clipboard_texts.h"

#include <array>
#include <cstring>
#include <limits>
#include <string>

#include "data/cp1251.h"
#include "data/file_names.h"

namespace tolvinark {
namespace {

constexpr std::size_t kMostUnits = std::numeric_limits<std::size_t>::max();

std::size_t saturatingSum(std::size_t a, std::size_t b) {
    return a > kMostUnits - b ? kMostUnits : a + b;
}

// Takes a text unit by unit: counts them all, and stores those that fit into its block (none
// while it only counts). A count that would pass what a size can hold stays at the largest,
// which no block can have: a list that large fails for want of memory, not with a wrong size.
template <typename Unit>
class Sink {
  public:
    Sink() = default;
    Sink(Unit* block, std::size_t capacity) : block_(block), capacity_(capacity) {}

    void put(Unit unit) {
        if (count_ < capacity_) block_[count_] = unit;
        if (count_ != kMostUnits) ++count_;
    }
    void put(std::string_view ascii) {
        for (char c : ascii) put(static_cast<Unit>(c));
    }
    std::size_t count() const { return count_; }
    bool filled() const { return count_ == capacity_; }

  private:
    Unit* block_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t count_ = 0;
};

// The clipboard's HTML description: a header naming four byte offsets in ten digits each, the
// document, whose fragment between the two comments is what a program pastes, and a zero.
constexpr std::string_view kDescriptionVersion = "Version:0.9\r\n";
constexpr std::array<std::string_view, 4> kOffsetNames = {
    "StartHTML:", "EndHTML:", "StartFragment:", "EndFragment:"};
constexpr std::size_t kOffsetDigits = 10;
constexpr std::string_view kDocumentStart =
    "<html>\r\n<head><meta charset=\"utf-8\"></head>\r\n<body>\r\n<!--StartFragment-->";
constexpr std::string_view kDocumentEnd = "<!--EndFragment-->\r\n</body>\r\n</html>";

constexpr std::size_t descriptionHeaderSize() {
    std::size_t size = kDescriptionVersion.size();
    for (std::string_view name : kOffsetNames) size += name.size() + kOffsetDigits + 2;
    return size;
}

// Everything of the description but the fragment.
constexpr std::size_t kHtmlFrameSize =
    descriptionHeaderSize() + kDocumentStart.size() + kDocumentEnd.size() + 1;

struct HtmlOffsets {
    std::size_t startHtml = 0;
    std::size_t endHtml = 0;
    std::size_t startFragment = 0;
    std::size_t endFragment = 0;
};

HtmlOffsets htmlOffsets(std::size_t fragmentBytes) {
    HtmlOffsets at;
    at.startHtml = descriptionHeaderSize();
    at.startFragment = at.startHtml + kDocumentStart.size();
    at.endFragment = at.startFragment + fragmentBytes;
    at.endHtml = at.endFragment + kDocumentEnd.size();
    return at;
}

void putOffset(std::size_t value, Sink<char>& out) {
    char digits[kOffsetDigits];
    for (std::size_t i = kOffsetDigits; i-- > 0; value /= 10) {
        digits[i] = static_cast<char>('0' + value % 10);
    }
    out.put(std::string_view(digits, kOffsetDigits));
}

void putDescriptionStart(const HtmlOffsets& at, Sink<char>& out) {
    out.put(kDescriptionVersion);
    const std::array<std::size_t, 4> offsets = {at.startHtml, at.endHtml, at.startFragment,
                                                at.endFragment};
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        out.put(kOffsetNames[i]);
        putOffset(offsets[i], out);
        out.put("\r\n");
    }
    out.put(kDocumentStart);
}

std::u16string_view separatorOrPoint(std::u16string_view separator) {
    return separator.empty() ? u"." : separator;
}

// The entity that stands for a character of HTML's markup; empty for any other character.
std::string_view markupEntity(char c) {
    switch (c) {
        case '<': return "&lt;";
        case '>': return "&gt;";
        case '&': return "&amp;";
        case '"': return "&quot;";
        default: return {};
    }
}

// One code page 1251 character as HTML text in UTF-8.
void putHtmlCharacter(char c, Sink<char>& out) {
    if (const std::string_view entity = markupEntity(c); !entity.empty()) {
        out.put(entity);
        return;
    }
    const char16_t unit = cp1251ToUnicode(static_cast<unsigned char>(c));
    if (unit < 0x80) {
        out.put(static_cast<char>(unit));
    } else if (unit < 0x800) {
        out.put(static_cast<char>(0xC0 | unit >> 6));
        out.put(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
        out.put(static_cast<char>(0xE0 | unit >> 12));
        out.put(static_cast<char>(0x80 | (unit >> 6 & 0x3F)));
        out.put(static_cast<char>(0x80 | (unit & 0x3F)));
    }
}

std::string escapedUtf8(std::u16string_view text) {
    std::string escaped;
    for (char c : fileNameFromUtf16(text)) {
        const std::string_view entity = markupEntity(c);
        if (entity.empty()) {
            escaped.push_back(c);
        } else {
            escaped += entity;
        }
    }
    return escaped;
}

class PlainTextWriter final : public TableWriter {
  public:
    PlainTextWriter(std::u16string_view separator, Sink<char16_t>& out)
        : separator_(separatorOrPoint(separator)), out_(out) {}

    void beginTable() override {
        if (tables_++ > 0) lineEnd();
    }
    void row(const CopiedRow& row) override {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out_.put(u'\t');
            cell(row[i]);
        }
        lineEnd();
    }
    void endTable() override {}

  private:
    void lineEnd() { out_.put("\r\n"); }
    void cell(const CopiedCell& cell) {
        const bool number = cell.decimal && isDecimalNumber(cell.text);
        for (char c : cell.text) {
            if (number && c == '.') {
                for (char16_t unit : separator_) out_.put(unit);
            } else {
                out_.put(cp1251ToUnicode(static_cast<unsigned char>(c)));
            }
        }
    }

    std::u16string_view separator_;
    Sink<char16_t>& out_;
    std::size_t tables_ = 0;
};

class HtmlWriter final : public TableWriter {
  public:
    // The separator is the system's UTF-16 text, escaped like the cells.
    HtmlWriter(std::u16string_view separator, Sink<char>& out)
        : out_(out), separator_(escapedUtf8(separatorOrPoint(separator))) {}

    void beginTable() override {
        if (tables_++ > 0) out_.put("<br>\r\n");
        out_.put("<table>\r\n");
    }
    void row(const CopiedRow& row) override {
        const std::string_view open = row.header() ? "<th>" : "<td>";
        const std::string_view close = row.header() ? "</th>" : "</td>";
        out_.put("<tr>");
        for (std::size_t i = 0; i < row.size(); ++i) {
            out_.put(open);
            cell(row[i]);
            out_.put(close);
        }
        out_.put("</tr>\r\n");
    }
    void endTable() override { out_.put("</table>\r\n"); }

  private:
    void cell(const CopiedCell& cell) {
        const bool number = cell.decimal && isDecimalNumber(cell.text);
        for (char c : cell.text) {
            if (number && c == '.') {
                out_.put(std::string_view(separator_));
            } else {
                putHtmlCharacter(c, out_);
            }
        }
    }

    Sink<char>& out_;
    std::string separator_;
    std::size_t tables_ = 0;
};

// Hands every table to the text and, when there is one, the HTML.
class BothWriters final : public TableWriter {
  public:
    BothWriters(TableWriter& text, TableWriter* html) : text_(text), html_(html) {}

    void beginTable() override {
        text_.beginTable();
        if (html_) html_->beginTable();
    }
    void row(const CopiedRow& row) override {
        text_.row(row);
        if (html_) html_->row(row);
    }
    void endTable() override {
        text_.endTable();
        if (html_) html_->endTable();
    }

  private:
    TableWriter& text_;
    TableWriter* html_;
};

FileResult changedSinceCounted() {
    FileResult result;
    result.outcome = FileOutcome::NoSuchRecord;
    return result;
}

}  // namespace

bool isDecimalNumber(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    const std::size_t point = text.find('.');
    if (point == 0 || point == std::string_view::npos || point + 1 == text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != point && (text[i] < '0' || text[i] > '9')) return false;
    }
    return true;
}

FileResult measureCopy(const TableSource& source, std::u16string_view decimalSeparator,
                       bool withHtml, CopySizes& sizes) {
    Sink<char16_t> text;
    Sink<char> fragment;
    PlainTextWriter textWriter(decimalSeparator, text);
    HtmlWriter htmlWriter(decimalSeparator, fragment);
    BothWriters writers(textWriter, withHtml ? &htmlWriter : nullptr);
    const FileResult result = source(writers);
    sizes.textUnits = saturatingSum(text.count(), 1);
    sizes.htmlBytes = withHtml ? saturatingSum(fragment.count(), kHtmlFrameSize) : 0;
    return result;
}

FileResult writeCopy(const TableSource& source, std::u16string_view decimalSeparator,
                     const CopySizes& sizes, char16_t* text, char* html) {
    const bool withHtml = html && sizes.htmlBytes >= kHtmlFrameSize;
    if (sizes.textUnits == 0) return changedSinceCounted();
    const HtmlOffsets at = htmlOffsets(withHtml ? sizes.htmlBytes - kHtmlFrameSize : 0);

    Sink<char16_t> textOut(text, sizes.textUnits - 1);
    Sink<char> fragmentOut(withHtml ? html + at.startFragment : nullptr,
                           at.endFragment - at.startFragment);
    PlainTextWriter textWriter(decimalSeparator, textOut);
    HtmlWriter htmlWriter(decimalSeparator, fragmentOut);
    BothWriters writers(textWriter, withHtml ? &htmlWriter : nullptr);
    const FileResult result = source(writers);
    if (!result.ok()) return result;
    if (!textOut.filled() || (withHtml && !fragmentOut.filled())) return changedSinceCounted();

    text[sizes.textUnits - 1] = u'\0';
    if (withHtml) {
        Sink<char> start(html, at.startFragment);
        putDescriptionStart(at, start);
        Sink<char> end(html + at.endFragment, kDocumentEnd.size());
        end.put(kDocumentEnd);
        html[at.endHtml] = '\0';
    }
    return result;
}

}  // namespace tolvinark
