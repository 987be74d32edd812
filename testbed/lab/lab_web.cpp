#include "lab_web.h"

#include "panel_lab/scenario.h"
#include "web/web_server.h"
#include "win/lab_session.h"

namespace ulvo::testbed {

namespace {

using tools::LabEvent;
namespace web = tools::web;

// The lab's FSUIPC as the web server's exchanges reach it: in this process, at
// once, and shown as a program's reads and writes are.
class LabAccess final : public web::FsuipcAccess {
  public:
    explicit LabAccess(LabSession& session) : lab(session) {}
    bool QueueRead(uint32_t offset, uint32_t size, uint8_t* data) override {
        lab.FsuipcRead(offset, size, data);
        return true;
    }
    bool QueueWrite(uint32_t offset, const uint8_t* data, uint32_t size) override {
        lab.FsuipcWrite(offset, data, size);
        return true;
    }
    bool Send() override { return true; }

  private:
    LabSession& lab;
};

// Why the page may not run this line; empty when it may. The lines that steer
// the lab's console stay there: a page must not end the lab or change its output.
std::string Refusal(const tools::ScenarioLine& line) {
    using Kind = tools::ScenarioLine::Kind;
    if (!line.error.empty()) {
        return line.text + ": " + line.error;
    }
    if (line.kind == Kind::kNone || line.kind == Kind::kQuit || line.kind == Kind::kHelp ||
        line.kind == Kind::kWatch || line.kind == Kind::kTiming) {
        return "the page runs the lab's actions and expectations; quit, help, watch and timing "
               "are for the lab's own prompt";
    }
    return "";
}

// What the page shows of the lab besides the block: {"doors": [...], "jetway": {...}}.
nlohmann::json LabState(const LabSession& lab) {
    nlohmann::json doors = nlohmann::json::array();
    for (const groundservices::DoorRow& row : groundservices::kDoors) {
        doors.push_back({{"name", GsxDoors::Label(row.door)},
                         {"word", GsxDoors::Word(row.door)},
                         {"open", lab.DoorOpen(row.door)}});
    }
    using groundservices::Jetway;
    return {{"doors", doors},
            {"jetway",
             {{"power", lab.JetwayValue(Jetway::kPower)}, {"air", lab.JetwayValue(Jetway::kAir)}}}};
}

}  // namespace

std::unique_ptr<LabWeb> LabWeb::Start(web::WebOptions options, LabSession& lab,
                                      std::vector<std::string>& banner, std::string& error) {
    web::WebServerSetup setup;
    options.anyOriginWrites = true;  // nothing real is behind the lab
    setup.options = options;
    setup.program = "ulvo-panel-lab";
    setup.version = ULVO_VERSION;
    setup.lab = true;
    std::unique_ptr<web::WebServer> server = web::WebServer::Start(setup, error);
    if (server == nullptr) {
        return nullptr;
    }
    banner = web::WebBanner(server->Urls(), options);
    return std::unique_ptr<LabWeb>(new LabWeb(lab, std::move(server)));
}

LabWeb::LabWeb(LabSession& session, std::unique_ptr<web::WebServer> webServer)
    : lab(session), server(std::move(webServer)) {
    pageLines.stopAtFailure = false;
}

LabWeb::~LabWeb() = default;

void LabWeb::Forward(const LabEvent& event) {
    pageLines.Observe(event);
    if (event.kind != LabEvent::Kind::kPublished && event.kind != LabEvent::Kind::kClientWrote &&
        event.kind != LabEvent::Kind::kTiming) {
        server->Event(tools::EventText(event));
    }
}

std::vector<LabEvent> LabWeb::Pass() {
    for (const web::PageLine& sent : server->TakeLines()) {
        tools::ScenarioLine line = tools::ParseScenarioLine(sent.text, lineCount + 1);
        if (const std::string refusal = Refusal(line); !refusal.empty()) {
            server->Answer(sent.client, false, refusal);
            continue;
        }
        ++lineCount;
        line.text = "web page: " + line.text;  // beside the lab's own lines
        pageLines.Add(line);
    }
    std::vector<LabEvent> done = pageLines.Step(lab.Seconds(), lab);
    nlohmann::json state = LabState(lab);
    if (std::string text = state.dump(); text != shownState) {
        shownState = std::move(text);
        server->PublishLab(std::move(state));
    }
    LabAccess access(lab);
    server->Space().Exchange(access);
    return done;
}

}  // namespace ulvo::testbed
