#pragma once
// A canvas that draws nothing and keeps every call in order, each with the drawing state in force,
// so that tests (and fuzzers and benchmarks) can check a picture without a screen.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "views/canvas.h"

namespace tolvinark {

// The selections of a drawing context. A fresh one has no pen or font of ours selected, black
// text and a white text background, as a new memory context has.
struct DrawingState {
    std::optional<Pen> pen;
    std::optional<Font> font;
    Colour textColour = colours::kBlack;
    Colour backgroundColour = colours::kWhite;
};

struct TextCall {
    int x = 0;
    int y = 0;
    std::string text;  // code page 1251 bytes, exactly as drawn, or a file name's UTF-8
    std::optional<Font> font;
    Colour textColour = 0;
    Colour backgroundColour = 0;
    bool fileName = false;  // drawn by drawName: `text` is UTF-8
};

struct LineCall {
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    std::optional<Pen> pen;
};

struct FillCall {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    Brush brush = Brush::Background;
};

struct MoveCall {
    int x = 0;
    int y = 0;
};

struct PenSelection {
    Pen pen;
};
struct FontSelection {
    Font font;
};
struct TextColourSetting {
    Colour colour;
};
struct BackgroundColourSetting {
    Colour colour;
};

using CanvasCall = std::variant<TextCall, LineCall, FillCall, MoveCall, PenSelection, FontSelection,
                                TextColourSetting, BackgroundColourSetting>;

bool operator==(const TextCall& a, const TextCall& b);
bool operator==(const LineCall& a, const LineCall& b);
bool operator==(const FillCall& a, const FillCall& b);
inline bool operator!=(const TextCall& a, const TextCall& b) {
    return !(a == b);
}
inline bool operator!=(const LineCall& a, const LineCall& b) {
    return !(a == b);
}
inline bool operator!=(const FillCall& a, const FillCall& b) {
    return !(a == b);
}
inline bool operator==(const MoveCall& a, const MoveCall& b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(const PenSelection& a, const PenSelection& b) {
    return a.pen == b.pen;
}
inline bool operator==(const FontSelection& a, const FontSelection& b) {
    return a.font == b.font;
}
inline bool operator==(const TextColourSetting& a, const TextColourSetting& b) {
    return a.colour == b.colour;
}
inline bool operator==(const BackgroundColourSetting& a, const BackgroundColourSetting& b) {
    return a.colour == b.colour;
}

// One line per call, texts in UTF-8: "text (7, 2) \"05.03.2019\" Screen 000000 on F0FCFC",
// "name (84, 6) \"C:\\цех 3.dst\" Screen 000000 on F0FCFC",
// "line (40, 166)-(40, 370) Black", "fill (0, 0)-(278, 174) Background", "pen Grey".
std::string describe(const CanvasCall& call);
std::ostream& operator<<(std::ostream& out, const TextCall& call);
std::ostream& operator<<(std::ostream& out, const LineCall& call);
std::ostream& operator<<(std::ostream& out, const FillCall& call);

class RecordingCanvas final : public Canvas {
  public:
    RecordingCanvas() = default;
    // Starts from the state that an earlier drawing left in a context.
    explicit RecordingCanvas(const DrawingState& initial) : state_(initial) {}

    void selectPen(Pen pen) override;
    void selectFont(Font font) override;
    void setTextColour(Colour colour) override;
    void setBackgroundColour(Colour colour) override;
    void drawText(int x, int y, std::string_view cp1251Text) override;
    void drawName(int x, int y, std::string_view utf8Name) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void fillRect(int left, int top, int right, int bottom, Brush brush) override;

    const std::vector<CanvasCall>& calls() const { return calls_; }
    const DrawingState& state() const { return state_; }
    // Forgets the calls, keeps the state, as the next drawing into the same context would.
    void clearCalls() { calls_.clear(); }

    std::vector<TextCall> texts() const;
    std::vector<TextCall> textsAt(int y) const;
    // The bytes of the one text drawn at exactly (x, y); empty when there is none there or more
    // than one, so that a check cannot pass on the wrong one of two.
    std::string textAt(int x, int y) const;
    // The texts whose bytes equal `cp1251Text`, wherever they stand.
    std::vector<TextCall> textsReading(std::string_view cp1251Text) const;
    std::vector<LineCall> lines() const;
    std::vector<LineCall> linesWith(Pen pen) const;
    std::vector<FillCall> fills() const;
    // Every call described, in order (see describe()).
    std::vector<std::string> log() const;
    // The moves and lines alone, described, in order: every point of the path drawn.
    std::vector<std::string> pathLog() const;

    // Where in calls() the first call equal to `call` stands, or -1 when none is.
    int firstIndexOf(const CanvasCall& call) const;
    // Where in calls() the first call of kind T stands, or -1 when none is.
    template <typename T>
    int firstIndexOf() const {
        for (std::size_t i = 0; i < calls_.size(); ++i) {
            if (std::holds_alternative<T>(calls_[i])) return static_cast<int>(i);
        }
        return -1;
    }

  private:
    DrawingState state_;
    int currentX_ = 0;
    int currentY_ = 0;
    std::vector<CanvasCall> calls_;
};

}  // namespace tolvinark
