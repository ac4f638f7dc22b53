#include "settings/defaults.h"

#include <random>

#include "platform/clock.h"
#include "platform/process.h"

namespace pictavo {

std::string VersionText() {
  std::string digits = std::to_string(kVersionNumber);
  std::string text = digits.substr(0, 1) + "." + digits.substr(1, 1) + "." + digits.substr(2);
  if (text.back() == '0') text = text.substr(0, 3);
  return text;
}

std::string TitleString() { return std::string(kProductTitle) + " " + VersionText(); }

void ApplyDefaults(Settings& s, const FormatTables& formats, bool command_line) {
  // Keep the start-up and layout fields; everything else takes its code default.
  Settings fresh;
  fresh.SettingsPath = s.SettingsPath;
  fresh.InstanceMutex = s.InstanceMutex;
  fresh.MenuHeight = s.MenuHeight;
  fresh.ToolbarHeight = s.ToolbarHeight;
  fresh.TopOffset = s.TopOffset;
  fresh.ListHeight = s.ListHeight;
  fresh.StatusHeight = s.StatusHeight;

  const int32_t now = static_cast<int32_t>(LocalSecondsNow());
  fresh.CFG = 19;
  fresh.UpdateDate = now;
  fresh.CustomTimestamp = now;
  fresh.KeepAspectRatio = command_line ? 0 : 1;
  fresh.WatermarkText = kCopyrightNotice;
  // Without a display to centre on, the window opens at 100, 100.
  fresh.X = 100;
  fresh.Y = 100;
  fresh.InputFormat = formats.EnabledInputFormats.empty() ? "" : formats.EnabledInputFormats[0];
  fresh.OutputFormat = formats.EnabledOutputFormats.empty() ? "" : formats.EnabledOutputFormats[0];
  s = std::move(fresh);
}

int32_t DrawRandomNumber() {
  static thread_local std::mt19937 engine{std::random_device{}()};
  return std::uniform_int_distribution<int32_t>(1, 99999)(engine);
}

void ResetRunState(Context& context) {
  RunState& r = context.run;
  RunState fresh;
  fresh.RunMode = r.RunMode;
  fresh.ResultWidth = r.ResultWidth;
  fresh.ResultHeight = r.ResultHeight;
  fresh.ConverterFrom = r.ConverterFrom;
  fresh.ConverterTo = r.ConverterTo;
  fresh.ProgramFolder = ProgramFolder();
  fresh.RandomNumber = DrawRandomNumber();
  fresh.FileCounter = 1;
  r = std::move(fresh);
  context.inputs.Clear();
  BuildSupportedExtensions(context.formats);
}

}  // namespace pictavo
