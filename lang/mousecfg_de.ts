<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>MacroDialog</name>
    <message>
        <source>NEW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DELETE MACRO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CHANGE NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BATCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>START</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STOP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DELETE ACTION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BOTTOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INSERT DELAY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INSERT DEFAULT DELAY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEFT CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE LEFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE RIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRESS DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BOUNCE UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MACRO LIST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MACRO NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ACTIONS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOUSE ACTIONS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEFAULT DELAY (ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DISTANCE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 DISTANCE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The macro could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARNING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A macro name cannot contain / or \.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The macro could not be renamed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Macro File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macro File(*.MSMACRO)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macro Exist!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The macro could not be imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not imported (the name is taken or the list is full): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Macro File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The macro could not be exported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not exported (a file of that name exists): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The gun file could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRESS A KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A MACRO HOLDS AT MOST %1 ACTIONS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MousecfgCommands</name>
    <message>
        <source>Mouse is sleeping or not connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Config File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config File(*.conf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Config File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not match current mouse!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file cannot be loaded: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want reset all profiles?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MousecfgStatusArea</name>
    <message>
        <source>Battery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receiver connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOUSE OFF</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MousecfgTray</name>
    <message>
        <source>&amp;Load Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MousecfgWidget</name>
    <message>
        <source>CUSTOMIZE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOAD1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AT LEAST ONE CLICK FUNCTION TO BE RETAINED.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>125 HZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No permission to open the mouse (%1).
Install the udev rule 70-mousecfg.rules (see the README), then plug the mouse in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dongle Disconnect!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnBtnWindow</name>
    <message>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Middle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SINGLE KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COMBO KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FIRE KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Button Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Backward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boss Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Media Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rate Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rate +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rate -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Led Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SNIPER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macro Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GunFile Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Basic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Media</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polling Rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wheel up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wheel down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MACRO SELECT</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnColorArea</name>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturation and brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APPLY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnColorWindow</name>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LIGHTED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BREATHING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7 COLOR BREATHING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RAINBOW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FLASH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal WAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal GO WITHOUT TRACE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raindrop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GO WITHOUT TRACE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REACTIVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yo-yo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BRIGHTNESS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SLEEP TIME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnComboKeyWindow</name>
    <message>
        <source>Combo Key</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnDPIWindow</name>
    <message>
        <source>DPI</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnFireKeyWindow</name>
    <message>
        <source>FireKey Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Middle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Times:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnGunsetDialog</name>
    <message>
        <source>DELAY(MS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gun Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GUNFILE NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BULLETS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bullet %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file name cannot contain / or \, nor begin or end with a space.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnItemModel</name>
    <message>
        <source>KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EMPTY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DELAY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnKeyCaptureDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No key pressed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnMacroItemDelegate</name>
    <message>
        <source>LEFT CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE RIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE LEFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOVE UP</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnMacroSelect</name>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REPEAT RUN UNTILL THE KEY DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Macro: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnMessageBox</name>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnPointSpeed</name>
    <message>
        <source>POINTER SPEED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SCROLL SPEED</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnPopBox</name>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnProcessDialog</name>
    <message>
        <source>Please wait</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnReportRate</name>
    <message>
        <source>125 HZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REPORT RATE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lift off Distance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 mm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnSingleDPI</name>
    <message>
        <source>Link XY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI level %1 on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI level %1 X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI level %1 Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DPI level %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click, or press Space, to make this level the active one</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnSingleKeyWindow</name>
    <message>
        <source>Single Key</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TarnSniperWindow</name>
    <message>
        <source>Sniper Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sniper DPI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
