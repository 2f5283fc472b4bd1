#pragma once

#include <cstdint>
#include <string_view>

// The program's string table: indicator texts, the idle text, the version, and for every
// command a prompt for the status bar and a short tool tip ("prompt\ntip").
namespace shell {

constexpr std::uint32_t IDS_VERSION = 99;    // "1.15"

// Empty when the table has no such string.
std::string_view loadString(std::uint32_t id);

// The status-bar prompt of a command: its string up to the first line feed.
std::string_view commandPrompt(std::uint32_t id);
// The tool tip of a command: its string after the first line feed, else the prompt.
std::string_view commandTip(std::uint32_t id);

} // namespace shell
