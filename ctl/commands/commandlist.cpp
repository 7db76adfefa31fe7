#include "ctl/commands/commandlist.h"

#include "ctl/commands/command.h"

std::vector<std::unique_ptr<Command>> makeCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    return commands;
}
