#pragma once

// A Messenger for tests: it keeps every box the code under test shows, in order, and answers
// the OK/Cancel question from a script written by the test.

#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messenger.h"

namespace lw::test {

// One box that was shown: a message (OK only) or a question (OK and Cancel).
struct ShownBox {
    enum class Kind { Message, Question };
    Kind kind;
    std::string text;  // kept byte for byte, NUL and bytes above 127 included
};

class RecordingMessenger : public Messenger {
public:
    // answers: what the user answers to the questions, in order (true = OK).
    explicit RecordingMessenger(std::initializer_list<bool> answers = {}) : answers_(answers) {}

    void ShowMessage(std::string_view text) override {
        boxes_.push_back({ShownBox::Kind::Message, std::string(text)});
    }

    // An unscripted question fails the test and is answered Cancel, the answer that writes nothing.
    bool AskOkCancel(std::string_view text) override {
        boxes_.push_back({ShownBox::Kind::Question, std::string(text)});
        if (answers_.empty()) {
            ADD_FAILURE() << "Unscripted question: " << text;
            return false;
        }
        const bool ok = answers_.front();
        answers_.pop_front();
        return ok;
    }

    // Adds one answer to the end of the script.
    void Answer(bool ok) { answers_.push_back(ok); }

    const std::vector<ShownBox>& Boxes() const { return boxes_; }

    // The text of every box, in the order shown.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes_) texts.push_back(box.text);
        return texts;
    }

    std::size_t UnusedAnswers() const { return answers_.size(); }

    void Clear() { boxes_.clear(); }

private:
    std::vector<ShownBox> boxes_;
    std::deque<bool> answers_;
};

// A text as a failure report can show it: bytes outside printable ASCII as \xNN, long texts cut.
inline std::string Printable(std::string_view text, std::size_t limit = 120) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out += static_cast<char>(byte);
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    out += "\"";
    if (text.size() > limit) out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

// True when the boxes shown were exactly these messages, in this order, and no question.
inline ::testing::AssertionResult ShowedMessages(const RecordingMessenger& messenger,
                                                 const std::vector<std::string>& expected) {
    const auto& boxes = messenger.Boxes();
    bool same = boxes.size() == expected.size();
    for (std::size_t i = 0; same && i < boxes.size(); ++i)
        same = boxes[i].kind == ShownBox::Kind::Message && boxes[i].text == expected[i];
    if (same) return ::testing::AssertionSuccess();

    auto failure = ::testing::AssertionFailure() << "expected messages:";
    for (const auto& text : expected) failure << "\n  " << Printable(text);
    if (expected.empty()) failure << " none";
    failure << "\nshown:";
    for (const auto& box : boxes)
        failure << "\n  " << (box.kind == ShownBox::Kind::Message ? "message  " : "question ")
                << Printable(box.text);
    if (boxes.empty()) failure << " none";
    return failure;
}

inline ::testing::AssertionResult ShowedNothing(const RecordingMessenger& messenger) {
    return ShowedMessages(messenger, {});
}

}  // namespace lw::test
