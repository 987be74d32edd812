// Lines typed at the panel lab's prompt, read on a thread of their own: a read
// of the console blocks, and may outlive the lab, so the thread shares only
// what it reads, through a joint owner.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace ulvo::testbed {

class Keyboard {
  public:
    // Starts reading standard input.
    Keyboard();
    // The lines typed since the last call.
    std::deque<std::string> Take();
    // Standard input has ended.
    bool Ended();

  private:
    struct Typed {
        std::mutex mutex;
        std::deque<std::string> lines;
        bool ended = false;
    };
    static void Read(std::shared_ptr<Typed> typed);

    std::shared_ptr<Typed> typed = std::make_shared<Typed>();
};

}  // namespace ulvo::testbed
