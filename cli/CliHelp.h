#pragma once

#include <string>

// What tavik-cli --help prints. The commands are those the session accepts:
// its own words with their explanations, the tools' names from the tool rows
// and the argument-less edit commands from the command registry, so the help
// cannot leave one out.
std::string CliHelp();
