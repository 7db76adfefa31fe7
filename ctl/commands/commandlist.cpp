#include "ctl/commands/commandlist.h"

#include "ctl/commands/batchcommand.h"
#include "ctl/commands/discovercommand.h"
#include "ctl/commands/doctorcommand.h"
#include "ctl/commands/setcommand.h"
#include "ctl/commands/webcommand.h"

std::vector<std::unique_ptr<Command>> makeCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<DiscoverCommand>());
    commands.push_back(std::make_unique<SetCommand>());
    commands.push_back(std::make_unique<BatchCommand>());
    commands.push_back(std::make_unique<DeviceWebCommand>());
    commands.push_back(std::make_unique<DoctorCommand>());
    return commands;
}
