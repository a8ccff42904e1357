#pragma once
// A canvas that keeps every call, for the printout tests.

#include <string>
#include <string_view>
#include <vector>

#include "views/canvas.h"

namespace tolvinark::testing {

struct DrawCall {
    enum Kind { SelectPen, SelectFont, TextColour, BackgroundColour, Text, MoveTo, LineTo, Fill };

    Kind kind = Text;
    int x = 0;  // or a fill's left
    int y = 0;  // or a fill's top
    int right = 0;
    int bottom = 0;
    int object = 0;  // the pen, font, brush or colour
    std::string text;

    // "text 940 747 ...", "move 960 703", "line 6480 703", "pen 3", "fill 1 6 301 1198 1".
    std::string describe() const {
        const auto xy = std::to_string(x) + " " + std::to_string(y);
        switch (kind) {
            case SelectPen: return "pen " + std::to_string(object);
            case SelectFont: return "font " + std::to_string(object);
            case TextColour: return "text colour " + std::to_string(object);
            case BackgroundColour: return "background colour " + std::to_string(object);
            case Text: return "text " + xy + " " + text;
            case MoveTo: return "move " + xy;
            case LineTo: return "line " + xy;
            case Fill:
                return "fill " + xy + " " + std::to_string(right) + " " + std::to_string(bottom) +
                       " " + std::to_string(object);
        }
        return {};
    }
};

class PrintRecorder final : public Canvas {
  public:
    std::vector<DrawCall> calls;

    void selectPen(Pen pen) override { add({DrawCall::SelectPen, 0, 0, 0, 0, int(pen), {}}); }
    void selectFont(Font font) override { add({DrawCall::SelectFont, 0, 0, 0, 0, int(font), {}}); }
    void setTextColour(Colour colour) override {
        add({DrawCall::TextColour, 0, 0, 0, 0, int(colour), {}});
    }
    void setBackgroundColour(Colour colour) override {
        add({DrawCall::BackgroundColour, 0, 0, 0, 0, int(colour), {}});
    }
    void drawText(int x, int y, std::string_view cp1251Text) override {
        add({DrawCall::Text, x, y, 0, 0, 0, std::string(cp1251Text)});
    }
    void moveTo(int x, int y) override { add({DrawCall::MoveTo, x, y, 0, 0, 0, {}}); }
    void lineTo(int x, int y) override { add({DrawCall::LineTo, x, y, 0, 0, 0, {}}); }
    void fillRect(int left, int top, int right, int bottom, Brush brush) override {
        add({DrawCall::Fill, left, top, right, bottom, int(brush), {}});
    }

    std::vector<std::string> described() const {
        std::vector<std::string> out;
        for (const DrawCall& call : calls) out.push_back(call.describe());
        return out;
    }
    // The move and line calls, described, in order.
    std::vector<std::string> path() const {
        std::vector<std::string> out;
        for (const DrawCall& call : calls) {
            if (call.kind == DrawCall::MoveTo || call.kind == DrawCall::LineTo) {
                out.push_back(call.describe());
            }
        }
        return out;
    }
    std::vector<DrawCall> texts() const {
        std::vector<DrawCall> out;
        for (const DrawCall& call : calls) {
            if (call.kind == DrawCall::Text) out.push_back(call);
        }
        return out;
    }
    // The text drawn at exactly (x, y); empty when none or more than one.
    std::string textAt(int x, int y) const {
        std::vector<std::string> found;
        for (const DrawCall& call : texts()) {
            if (call.x == x && call.y == y) found.push_back(call.text);
        }
        return found.size() == 1 ? found[0] : std::string();
    }
    // Index of the first call of this kind (and object, when given), or -1.
    int firstIndexOf(DrawCall::Kind kind, int object = -1) const {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].kind == kind && (object < 0 || calls[i].object == object)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

  private:
    void add(DrawCall call) { calls.push_back(std::move(call)); }
};

}  // namespace tolvinark::testing
