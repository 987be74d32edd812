// ulvo-panel-lab.exe --web: the cockpit page and the JSON offset protocol over
// the lab's own FSUIPC, in the lab's process. Nothing real is behind the lab, so
// pages of any origin may write, as existing panels expect. The page also shows
// the doors and the jetway, the lab's events, and runs the lab's lines (`set` of
// any value, `gsx`, `jetway`, `expect` ...) as if typed at the prompt.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "panel_lab/lab_event.h"
#include "panel_lab/scenario_runner.h"
#include "web/web_policy.h"

namespace ulvo::tools::web {
class WebServer;
}

namespace ulvo::testbed {

class LabSession;

class LabWeb {
  public:
    // Listens; null, with `error` saying why, when it cannot. `banner` is what to
    // tell the user: where to open the page (and the network's warning).
    static std::unique_ptr<LabWeb> Start(tools::web::WebOptions options, LabSession& lab,
                                         std::vector<std::string>& banner, std::string& error);
    ~LabWeb();

    // Something that happened in the lab, for the pages; the values of the block
    // they read themselves.
    void Forward(const tools::LabEvent& event);
    // After each pass of the lab: runs the lines the pages sent, shows the doors
    // and the jetway when they changed, and carries out the clients' reads and
    // writes. Returns what the pages' lines did, to be shown as the lab's events.
    std::vector<tools::LabEvent> Pass();

  private:
    LabWeb(LabSession& lab, std::unique_ptr<tools::web::WebServer> server);

    LabSession& lab;
    std::unique_ptr<tools::web::WebServer> server;
    tools::ScenarioRunner pageLines;
    size_t lineCount = 0;
    std::string shownState;  // the doors and the jetway as the pages last had them
};

}  // namespace ulvo::testbed
