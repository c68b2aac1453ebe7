#pragma once
// How a calculation talks to the user: message boxes, yes/no questions, the
// busy/ready status and pointing at a grid cell. The desktop program answers
// with real message boxes and its status bar, the command line with standard
// error, the tests with RecordingPrompter.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "model/cell_ref.h"

namespace tavelmark::report {

enum class MessageIcon { None, Critical, Exclamation, Question, Information };

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message with the OK button.
    virtual void message(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    // A modal question with Yes and No; true for Yes.
    virtual bool ask(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    virtual void setStatusBusy() = 0;
    virtual void setStatusReady() = 0;
    // The calculation has selected this block of its input grid to show the
    // user what a message is about (the grid itself holds the selection).
    virtual void showGridSelection(const model::RangeRef& range) = 0;
};

// Remembers everything said, answers questions from a queue (No when empty).
class RecordingPrompter : public Prompter {
public:
    enum class Kind { Message, Question, Busy, Ready, Selection };
    struct Event {
        Kind kind;
        std::string text;
        std::string title;
        MessageIcon icon = MessageIcon::None;
        model::RangeRef range{};
        bool answer = false;
    };

    std::vector<bool> answers;  // given to questions in order
    std::vector<Event> events;

    void message(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view title, MessageIcon icon) override;
    void setStatusBusy() override;
    void setStatusReady() override;
    void showGridSelection(const model::RangeRef& range) override;

    // Only the message boxes and questions, in order.
    std::vector<Event> dialogs() const;
    // "就绪" or "正在运算,请稍候..." as the status bar would read now.
    std::string statusText() const;
};

// The command line's: messages and questions go to the stream as
// "title: text" lines; questions are answered No and say so.
class StreamPrompter : public Prompter {
public:
    explicit StreamPrompter(std::ostream& out) : out_(out) {}
    void message(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view title, MessageIcon icon) override;
    void setStatusBusy() override {}
    void setStatusReady() override {}
    void showGridSelection(const model::RangeRef& range) override;

private:
    std::ostream& out_;
};

}  // namespace tavelmark::report
