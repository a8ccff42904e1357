#include "tests/support/recording_canvas.h"

#include <cstdio>
#include <ostream>

#include "data/cp1251.h"

namespace tolvinark {
namespace {

const char* penName(Pen pen) {
    switch (pen) {
        case Pen::Red: return "Red";
        case Pen::Black: return "Black";
        case Pen::Grey: return "Grey";
        case Pen::Thick: return "Thick";
    }
    return "?";
}

const char* fontName(Font font) {
    switch (font) {
        case Font::Screen: return "Screen";
        case Font::Small: return "Small";
        case Font::Printer: return "Printer";
    }
    return "?";
}

const char* brushName(Brush brush) {
    switch (brush) {
        case Brush::Background: return "Background";
        case Brush::White: return "White";
    }
    return "?";
}

std::string hexColour(Colour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(colour));
    return buffer;
}

std::string point(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::string describeText(const TextCall& c) {
    return (c.fileName ? "name " : "text ") + point(c.x, c.y) + " \"" +
           (c.fileName ? c.text : cp1251ToUtf8(c.text)) + "\" " +
           (c.font ? fontName(*c.font) : "no-font") + " " + hexColour(c.textColour) + " on " +
           hexColour(c.backgroundColour);
}

std::string describeLine(const LineCall& c) {
    return "line " + point(c.fromX, c.fromY) + "-" + point(c.toX, c.toY) + " " +
           (c.pen ? penName(*c.pen) : "no-pen");
}

std::string describeFill(const FillCall& c) {
    return "fill " + point(c.left, c.top) + "-" + point(c.right, c.bottom) + " " +
           brushName(c.brush);
}

template <typename T>
std::vector<T> callsOf(const std::vector<CanvasCall>& calls) {
    std::vector<T> out;
    for (const CanvasCall& call : calls) {
        if (const T* found = std::get_if<T>(&call)) out.push_back(*found);
    }
    return out;
}

}  // namespace

bool operator==(const TextCall& a, const TextCall& b) {
    return a.x == b.x && a.y == b.y && a.text == b.text && a.font == b.font &&
           a.textColour == b.textColour && a.backgroundColour == b.backgroundColour &&
           a.fileName == b.fileName;
}

bool operator==(const LineCall& a, const LineCall& b) {
    return a.fromX == b.fromX && a.fromY == b.fromY && a.toX == b.toX && a.toY == b.toY &&
           a.pen == b.pen;
}

bool operator==(const FillCall& a, const FillCall& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom &&
           a.brush == b.brush;
}

std::string describe(const CanvasCall& call) {
    struct Describer {
        std::string operator()(const TextCall& c) const { return describeText(c); }
        std::string operator()(const LineCall& c) const { return describeLine(c); }
        std::string operator()(const FillCall& c) const { return describeFill(c); }
        std::string operator()(const MoveCall& c) const { return "move " + point(c.x, c.y); }
        std::string operator()(const PenSelection& c) const {
            return std::string("pen ") + penName(c.pen);
        }
        std::string operator()(const FontSelection& c) const {
            return std::string("font ") + fontName(c.font);
        }
        std::string operator()(const TextColourSetting& c) const {
            return "text colour " + hexColour(c.colour);
        }
        std::string operator()(const BackgroundColourSetting& c) const {
            return "background colour " + hexColour(c.colour);
        }
    };
    return std::visit(Describer{}, call);
}

std::ostream& operator<<(std::ostream& out, const TextCall& call) {
    return out << describeText(call);
}
std::ostream& operator<<(std::ostream& out, const LineCall& call) {
    return out << describeLine(call);
}
std::ostream& operator<<(std::ostream& out, const FillCall& call) {
    return out << describeFill(call);
}

void RecordingCanvas::selectPen(Pen pen) {
    state_.pen = pen;
    calls_.emplace_back(PenSelection{pen});
}

void RecordingCanvas::selectFont(Font font) {
    state_.font = font;
    calls_.emplace_back(FontSelection{font});
}

void RecordingCanvas::setTextColour(Colour colour) {
    state_.textColour = colour;
    calls_.emplace_back(TextColourSetting{colour});
}

void RecordingCanvas::setBackgroundColour(Colour colour) {
    state_.backgroundColour = colour;
    calls_.emplace_back(BackgroundColourSetting{colour});
}

void RecordingCanvas::drawText(int x, int y, std::string_view cp1251Text) {
    calls_.emplace_back(TextCall{x, y, std::string(cp1251Text), state_.font, state_.textColour,
                                 state_.backgroundColour, false});
}

void RecordingCanvas::drawName(int x, int y, std::string_view utf8Name) {
    calls_.emplace_back(TextCall{x, y, std::string(utf8Name), state_.font, state_.textColour,
                                 state_.backgroundColour, true});
}

void RecordingCanvas::moveTo(int x, int y) {
    currentX_ = x;
    currentY_ = y;
    calls_.emplace_back(MoveCall{x, y});
}

void RecordingCanvas::lineTo(int x, int y) {
    calls_.emplace_back(LineCall{currentX_, currentY_, x, y, state_.pen});
    currentX_ = x;
    currentY_ = y;
}

void RecordingCanvas::fillRect(int left, int top, int right, int bottom, Brush brush) {
    calls_.emplace_back(FillCall{left, top, right, bottom, brush});
}

std::vector<TextCall> RecordingCanvas::texts() const {
    return callsOf<TextCall>(calls_);
}

std::vector<TextCall> RecordingCanvas::textsAt(int y) const {
    std::vector<TextCall> out;
    for (const TextCall& text : texts()) {
        if (text.y == y) out.push_back(text);
    }
    return out;
}

std::string RecordingCanvas::textAt(int x, int y) const {
    const std::vector<TextCall> atY = textsAt(y);
    const TextCall* found = nullptr;
    for (const TextCall& text : atY) {
        if (text.x != x) continue;
        if (found != nullptr) return {};
        found = &text;
    }
    return found != nullptr ? found->text : std::string();
}

std::vector<TextCall> RecordingCanvas::textsReading(std::string_view cp1251Text) const {
    std::vector<TextCall> out;
    for (const TextCall& text : texts()) {
        if (text.text == cp1251Text) out.push_back(text);
    }
    return out;
}

std::vector<LineCall> RecordingCanvas::lines() const {
    return callsOf<LineCall>(calls_);
}

std::vector<LineCall> RecordingCanvas::linesWith(Pen pen) const {
    std::vector<LineCall> out;
    for (const LineCall& line : lines()) {
        if (line.pen == pen) out.push_back(line);
    }
    return out;
}

std::vector<FillCall> RecordingCanvas::fills() const {
    return callsOf<FillCall>(calls_);
}

std::vector<std::string> RecordingCanvas::log() const {
    std::vector<std::string> out;
    out.reserve(calls_.size());
    for (const CanvasCall& call : calls_) out.push_back(describe(call));
    return out;
}

std::vector<std::string> RecordingCanvas::pathLog() const {
    std::vector<std::string> out;
    for (const CanvasCall& call : calls_) {
        if (std::holds_alternative<MoveCall>(call) || std::holds_alternative<LineCall>(call)) {
            out.push_back(describe(call));
        }
    }
    return out;
}

int RecordingCanvas::firstIndexOf(const CanvasCall& call) const {
    for (std::size_t i = 0; i < calls_.size(); ++i) {
        if (calls_[i] == call) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace tolvinark
