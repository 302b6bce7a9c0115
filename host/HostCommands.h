// The stand-in host's menu commands, which a test sends as a user picks them.
#pragma once

enum HostCommand {
  CommandShowPanel = 100,
  CommandSettings,
  CommandSaveState,
  CommandAbout,
  CommandExit,
};
