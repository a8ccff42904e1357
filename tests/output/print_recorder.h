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
    int x = 0;  // left for a fill
    int y = 0;  // top for a fill
    int right = 0;
    int bottom = 0;
    std::string text;
    int object = 0;  // the pen, font, brush or colour

    bool operator==(const DrawCall& other) const {
        return kind == other.kind && x == other.x && y == other.y && right == other.right &&
               bottom == other.bottom && text == other.text && object == other.object;
    }
};

class PrintRecorder final : public Canvas {
  public:
    std::vector<DrawCall> calls;

    void selectPen(Pen pen) override { add(DrawCall::SelectPen, 0, 0, static_cast<int>(pen)); }
    void selectFont(Font font) override { add(DrawCall::SelectFont, 0, 0, static_cast<int>(font)); }
    void setTextColour(Colour colour) override {
        add(DrawCall::TextColour, 0, 0, static_cast<int>(colour));
    }
    void setBackgroundColour(Colour colour) override {
        add(DrawCall::BackgroundColour, 0, 0, static_cast<int>(colour));
    }
    void drawText(int x, int y, std::string_view cp1251Text) override {
        DrawCall call;
        call.x = x;
        call.y = y;
        call.text = std::string(cp1251Text);
        calls.push_back(call);
    }
    void moveTo(int x, int y) override { add(DrawCall::MoveTo, x, y, 0); }
    void lineTo(int x, int y) override { add(DrawCall::LineTo, x, y, 0); }
    void fillRect(int left, int top, int right, int bottom, Brush brush) override {
        DrawCall call;
        call.kind = DrawCall::Fill;
        call.x = left;
        call.y = top;
        call.right = right;
        call.bottom = bottom;
        call.object = static_cast<int>(brush);
        calls.push_back(call);
    }

    // The texts drawn, in order.
    std::vector<DrawCall> texts() const { return only(DrawCall::Text); }
    // The text drawn at exactly (x, y); empty when none or more than one.
    std::string textAt(int x, int y) const {
        std::string found;
        int hits = 0;
        for (const DrawCall& call : calls) {
            if (call.kind == DrawCall::Text && call.x == x && call.y == y) {
                found = call.text;
                ++hits;
            }
        }
        return hits == 1 ? found : std::string();
    }
    // Move and line calls in order, as "M x y" / "L x y".
    std::vector<std::string> path() const {
        std::vector<std::string> out;
        for (const DrawCall& call : calls) {
            if (call.kind == DrawCall::MoveTo || call.kind == DrawCall::LineTo) {
                out.push_back((call.kind == DrawCall::MoveTo ? "M " : "L ") +
                              std::to_string(call.x) + " " + std::to_string(call.y));
            }
        }
        return out;
    }
    // Index of the first call of this kind and object, or -1.
    int firstIndexOf(DrawCall::Kind kind, int object) const {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].kind == kind && calls[i].object == object) return static_cast<int>(i);
        }
        return -1;
    }
    int firstIndexOf(DrawCall::Kind kind) const {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].kind == kind) return static_cast<int>(i);
        }
        return -1;
    }

  private:
    void add(DrawCall::Kind kind, int x, int y, int object) {
        DrawCall call;
        call.kind = kind;
        call.x = x;
        call.y = y;
        call.object = object;
        calls.push_back(call);
    }
    std::vector<DrawCall> only(DrawCall::Kind kind) const {
        std::vector<DrawCall> out;
        for (const DrawCall& call : calls) {
            if (call.kind == kind) out.push_back(call);
        }
        return out;
    }
};

}  // namespace tolvinark::testing
