#pragma once
// A message sink for tests: records every message and answers from a script (OK when the script is empty).

#include "platform/Platform.h"

#include <deque>
#include <string>
#include <vector>

namespace vantle::test {

struct RecordedMessage {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
};

class RecordingMessages : public MessageSink {
  public:
    MessageAnswer showMessage(std::string_view text, MessageButtons buttons, MessageIcon icon) override {
        shown.push_back({std::string(text), buttons, icon});
        if (answers.empty())
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<RecordedMessage> shown;
    std::deque<MessageAnswer> answers;
};

} // namespace vantle::test
