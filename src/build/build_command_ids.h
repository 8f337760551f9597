// Command identifiers of the build front end: the Build menu, the build toolbar and the
// configuration items, whose identifiers are the configuration codes themselves.
#pragma once

namespace kelpo {

enum BuildCommand : int {
    kCmdBuild = 161,
    kCmdRebuild = 162,
    kCmdClean = 163,
    kCmdDebug = 164,
    kCmdBuildVariant = 165,  // the engine's "/t"
    kCmdBatchBuild = 166,
    kCmdStopBuild = 167,     // ends the running build and every process it started
    kCmdBuildConsole = 171,
    kCmdOpenTarvikIni = 172,
    kCmdOpenBuildXml = 173,
    kCmdOpenVcMk = 174,
    kCmdShowOutputRoot = 175,
    kCmdConfigurationFirst = 0x8000,  // configuration codes with bit 15 set
    kCmdConfigurationLast = 0x8FFF,
};

}  // namespace kelpo
