#include "game/GameDescription.h"

#include <cstdio>

#include "base/FloatText.h"
#include "game/Game.h"

namespace vellix {

GameDescription describe(const Game& game) {
    const GameState& g = game.state();
    GameDescription d;
    d.over = g.gameIsOver;
    d.level = g.getLevel();
    d.lives = g.lives;
    d.score = g.score;
    d.mouseX = game.window().mouseX();
    d.width = game.window().canvas().Width();
    d.height = game.window().canvas().Height();
    d.fast = g.getFastPaddle();
    d.frozen = g.getFrozenBricks();
    d.magnetic = g.getMagneticPaddle();
    for (int i = 0; i < MessageLog::kLines; ++i) d.messages[std::size_t(i)] = g.messages[i];
    for (std::int16_t i = 0; i < g.paddles.count(); ++i) {
        const clsPaddle& p = g.paddles[i];
        d.paddles.push_back({p.xpos(), p.ypos(), p.width(), p.speed(), p.isCompanion()});
    }
    for (std::int16_t i = 0; i < g.balls.count(); ++i) {
        const clsBall& b = g.balls[i];
        d.balls.push_back({b.pos().x, b.pos().y, b.vx(), b.vy(), b.isAlive(), b.bounceBoost()});
    }
    for (std::int16_t i = 0; i < g.bricks.count(); ++i) {
        const clsBrick& b = g.bricks[i];
        d.bricks.push_back({b.left(), b.top(), b.isAlive(), std::int16_t(b.getPowerup()), b.speed(), b.image(),
                            b.shatterFrame()});
    }
    d.sounds = game.soundsAsked();
    return d;
}

namespace {

// Appends JSON values to a string.
class Json {
public:
    explicit Json(std::string& out) : out_(out) {}
    Json& raw(const char* text) {
        out_ += text;
        return *this;
    }
    Json& number(float value) {
        char digits[kMaxFloatText];
        out_.append(digits, writeShortestFloat(digits, value));
        return *this;
    }
    Json& number(long value) {
        out_ += std::to_string(value);
        return *this;
    }
    Json& whole(double value) {
        char digits[64];
        std::snprintf(digits, sizeof digits, "%.0f", value);
        out_ += digits;
        return *this;
    }
    Json& boolean(bool value) { return raw(value ? "true" : "false"); }
    Json& text(const std::string& value) {
        out_ += '"';
        for (const char c : value) {
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out_ += escape;
            } else {
                out_ += c;
            }
        }
        out_ += '"';
        return *this;
    }
    // Opens an array member with `name`; each element after the first is preceded by a comma.
    template <class Items, class Write>
    Json& array(const char* name, const Items& items, Write write) {
        raw(name);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0) raw(",");
            write(items[i]);
        }
        return raw("]");
    }

private:
    std::string& out_;
};

}  // namespace

void appendJsonMembers(std::string& out, const GameDescription& d) {
    Json j(out);
    j.raw("\"state\":").raw(d.over ? "\"over\"" : "\"playing\"");
    j.raw(",\"level\":").number(long(d.level)).raw(",\"lives\":").number(long(d.lives));
    j.raw(",\"score\":").whole(d.score).raw(",\"mouseX\":").number(d.mouseX);
    j.raw(",\"width\":").number(d.width).raw(",\"height\":").number(d.height);
    j.raw(",\"fast\":").boolean(d.fast).raw(",\"frozen\":").boolean(d.frozen).raw(",\"magnetic\":").boolean(d.magnetic);
    j.array(",\"messages\":[", d.messages, [&](const std::string& m) { j.text(m); });
    j.array(",\"paddles\":[", d.paddles, [&](const GameDescription::Paddle& p) {
        j.raw("{\"x\":").number(p.x).raw(",\"y\":").number(p.y).raw(",\"w\":").number(p.width);
        j.raw(",\"speed\":").number(long(p.speed)).raw(",\"companion\":").boolean(p.companion).raw("}");
    });
    j.array(",\"balls\":[", d.balls, [&](const GameDescription::Ball& b) {
        j.raw("{\"x\":").number(b.x).raw(",\"y\":").number(b.y).raw(",\"vx\":").number(b.vx);
        j.raw(",\"vy\":").number(b.vy).raw(",\"alive\":").boolean(b.alive).raw(",\"boost\":").number(long(b.boost));
        j.raw("}");
    });
    j.array(",\"bricks\":[", d.bricks, [&](const GameDescription::Brick& b) {
        j.raw("{\"left\":").number(b.left).raw(",\"top\":").number(b.top).raw(",\"alive\":").boolean(b.alive);
        j.raw(",\"powerup\":").number(long(b.powerup)).raw(",\"speed\":").number(long(b.speed));
        j.raw(",\"image\":").number(long(b.image)).raw(",\"shatter\":").number(long(b.shatter)).raw("}");
    });
    j.array(",\"sounds\":[", d.sounds, [&](std::int16_t s) { j.number(long(s)); });
}

}  // namespace vellix
