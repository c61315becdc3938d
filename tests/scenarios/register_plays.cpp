#include "scenarios/register_plays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "scenarios/player.h"

namespace tavri::scenario {

namespace {

class ScenarioTest : public testing::Test {
 public:
  ScenarioTest(std::shared_ptr<const Scenario> scenario, MakeDriver makeDriver)
      : scenario_(std::move(scenario)), makeDriver_(std::move(makeDriver)) {}

  void TestBody() override {
    const std::unique_ptr<Driver> driver = makeDriver_();
    for (const Failure& failure : Play(*scenario_, *driver))
      ADD_FAILURE_AT(failure.file.c_str(), failure.line) << failure.step << "\n  " << failure.what;
  }

 private:
  std::shared_ptr<const Scenario> scenario_;
  MakeDriver makeDriver_;
};

class BrokenPlay : public testing::Test {
 public:
  explicit BrokenPlay(std::string error) : error_(std::move(error)) {}
  void TestBody() override { ADD_FAILURE() << error_; }

 private:
  std::string error_;
};

std::string TestName(const std::string& title) {
  std::string name;
  for (char c : title) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (c >= 'A' && c <= 'Z')
      name += static_cast<char>(c - 'A' + 'a');
    else if (word)
      name += c;
    else if (c == '\'')
      continue;
    else if (!name.empty() && name.back() != '_')
      name += '_';
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "scenario" : name;
}

void RegisterBroken(const std::string& suite, const std::string& name, const std::string& error) {
  testing::RegisterTest(suite.c_str(), name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                        [error]() -> testing::Test* { return new BrokenPlay(error); });
}

}  // namespace

void RegisterPlays(const std::filesystem::path& folder, const MakeDriver& makeDriver) {
  std::vector<std::filesystem::path> plays;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (entry.path().extension() == ".play") plays.push_back(entry.path());
  std::sort(plays.begin(), plays.end());
  if (plays.empty()) {
    RegisterBroken("plays", "none_found", "no .play file in " + folder.string());
    return;
  }
  for (const std::filesystem::path& path : plays) {
    const std::string suite = path.stem().string();
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<Scenario> scenarios;
    try {
      scenarios = ReadPlay(text.str(), path.generic_string());
    } catch (const PlayError& broken) {
      RegisterBroken(suite, "reading", broken.what());
      continue;
    }
    std::set<std::string> names;
    for (Scenario& scenario : scenarios) {
      std::string name = TestName(scenario.title);
      for (int n = 2; !names.insert(name).second; ++n)
        name = TestName(scenario.title) + "_" + std::to_string(n);
      auto shared = std::make_shared<const Scenario>(std::move(scenario));
      testing::RegisterTest(suite.c_str(), name.c_str(), nullptr, nullptr, shared->file.c_str(),
                            shared->line, [shared, makeDriver]() -> testing::Test* {
                              return new ScenarioTest(shared, makeDriver);
                            });
    }
  }
}

}  // namespace tavri::scenario
