#pragma once

#include <memory>
#include <vector>

class Command;

// Every subcommand, in the order the overview lists them.
std::vector<std::unique_ptr<Command>> makeCommands();
