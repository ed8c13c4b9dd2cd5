# Loaded by Orca from its settings folder (orca -u DIR) before its first settings are saved.
from orca import debug, settings

# The test reads the debug file while Orca runs; block buffering would hold back its tail.
if debug.debugFile:
    debug.debugFile.reconfigure(line_buffering=True)

settings.enableSpeech = True
settings.enableBraille = False
settings.enableSound = False
# Echoing the test's own keys would only bury what the program says.
settings.enableKeyEcho = False
