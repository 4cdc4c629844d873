#include "tools/sim/TraceWriter.h"

#include <cstdio>
#include <string>

#include "game/GameState.h"
#include "media/Canvas.h"
#include "tools/sim/FloatText.h"

namespace vellix::sim {

namespace {

// Appends JSON to a string, which is then written in one go.
class Json {
public:
    Json& raw(const char* text) {
        line_ += text;
        return *this;
    }
    Json& number(float value) {
        char digits[kMaxFloatText];
        line_.append(digits, writeShortestFloat(digits, value));
        return *this;
    }
    Json& number(long value) {
        line_ += std::to_string(value);
        return *this;
    }
    Json& whole(double value) {
        char digits[64];
        std::snprintf(digits, sizeof digits, "%.0f", value);
        line_ += digits;
        return *this;
    }
    Json& boolean(bool value) { return raw(value ? "true" : "false"); }
    Json& text(const std::string& value) {
        line_ += '"';
        for (const char c : value) {
            if (c == '"' || c == '\\') {
                line_ += '\\';
                line_ += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                line_ += escape;
            } else {
                line_ += c;
            }
        }
        line_ += '"';
        return *this;
    }
    const std::string& str() const { return line_; }

private:
    std::string line_;
};

}  // namespace

void writeTraceLine(std::ostream& out, long frame, GameState& game, float mouseX,
                    const std::vector<std::int16_t>& sounds) {
    Json j;
    j.raw("{\"frame\":").number(frame);
    j.raw(",\"state\":").raw(game.gameIsOver ? "\"over\"" : "\"playing\"");
    j.raw(",\"level\":").number(long(game.getLevel()));
    j.raw(",\"lives\":").number(long(game.lives));
    j.raw(",\"score\":").whole(game.score);
    j.raw(",\"mouseX\":").number(mouseX);
    j.raw(",\"width\":").number(game.canvas().Width());
    j.raw(",\"height\":").number(game.canvas().Height());
    j.raw(",\"fast\":").boolean(game.getFastPaddle());
    j.raw(",\"frozen\":").boolean(game.getFrozenBricks());
    j.raw(",\"magnetic\":").boolean(game.getMagneticPaddle());
    j.raw(",\"messages\":[");
    for (int i = 0; i < MessageLog::kLines; ++i) (i > 0 ? j.raw(",") : j).text(game.messages[i]);
    j.raw("],\"paddles\":[");
    for (std::int16_t i = 0; i < game.paddles.count(); ++i) {
        const clsPaddle& p = game.paddles[i];
        j.raw(i > 0 ? ",{\"x\":" : "{\"x\":").number(p.xpos());
        j.raw(",\"y\":").number(p.ypos()).raw(",\"w\":").number(p.width());
        j.raw(",\"speed\":").number(long(p.speed())).raw(",\"companion\":").boolean(p.isCompanion()).raw("}");
    }
    j.raw("],\"balls\":[");
    for (std::int16_t i = 0; i < game.balls.count(); ++i) {
        const clsBall& b = game.balls[i];
        j.raw(i > 0 ? ",{\"x\":" : "{\"x\":").number(b.pos().x);
        j.raw(",\"y\":").number(b.pos().y).raw(",\"vx\":").number(b.vx()).raw(",\"vy\":").number(b.vy());
        j.raw(",\"alive\":").boolean(b.isAlive()).raw(",\"boost\":").number(long(b.bounceBoost())).raw("}");
    }
    j.raw("],\"bricks\":[");
    for (std::int16_t i = 0; i < game.bricks.count(); ++i) {
        const clsBrick& b = game.bricks[i];
        j.raw(i > 0 ? ",{\"left\":" : "{\"left\":").number(b.left());
        j.raw(",\"top\":").number(b.top()).raw(",\"alive\":").boolean(b.isAlive());
        j.raw(",\"powerup\":").number(long(b.getPowerup())).raw(",\"speed\":").number(long(b.speed()));
        j.raw(",\"image\":").number(long(b.image())).raw(",\"shatter\":").number(long(b.shatterFrame())).raw("}");
    }
    j.raw("],\"sounds\":[");
    for (std::size_t i = 0; i < sounds.size(); ++i) (i > 0 ? j.raw(",") : j).number(long(sounds[i]));
    j.raw("]}\n");
    out << j.str();
}

}  // namespace vellix::sim
