<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>MacroDialog</name>
    <message>
        <source>NEW</source>
        <translation>NEU</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>LÖSCHEN</translation>
    </message>
    <message>
        <source>DELETE MACRO</source>
        <translation>MAKRO LÖSCHEN</translation>
    </message>
    <message>
        <source>CHANGE NAME</source>
        <translation>UMBENENNEN</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>IMPORT</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>EXPORT</translation>
    </message>
    <message>
        <source>BATCH</source>
        <translation>STAPEL</translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation>WAFFE</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOPP</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>BEARBEITEN</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SPEICHERN</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ABBRECHEN</translation>
    </message>
    <message>
        <source>DELETE ACTION</source>
        <translation>AKTION LÖSCHEN</translation>
    </message>
    <message>
        <source>MOVE UP</source>
        <translation>NACH OBEN</translation>
    </message>
    <message>
        <source>MOVE DOWN</source>
        <translation>NACH UNTEN</translation>
    </message>
    <message>
        <source>TOP</source>
        <translation>ANFANG</translation>
    </message>
    <message>
        <source>BOTTOM</source>
        <translation>ENDE</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>LEEREN</translation>
    </message>
    <message>
        <source>INSERT DELAY</source>
        <translation>+ PAUSE</translation>
    </message>
    <message>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation>PAUSEN MITSCHNEIDEN</translation>
    </message>
    <message>
        <source>INSERT DEFAULT DELAY</source>
        <translation>FESTE PAUSE EINFÜGEN</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>ANZAHL (1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>SOLANGE GEDRÜCKT</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>BIS ERNEUT GEDRÜCKT</translation>
    </message>
    <message>
        <source>LEFT CLICK</source>
        <translation>LINKSKLICK</translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation>MITTELKLICK</translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation>RECHTSKLICK</translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation>VORWÄRTS</translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation>ZURÜCK</translation>
    </message>
    <message>
        <source>MOVE LEFT</source>
        <translation>NACH LINKS</translation>
    </message>
    <message>
        <source>MOVE RIGHT</source>
        <translation>NACH RECHTS</translation>
    </message>
    <message>
        <source>PRESS DOWN</source>
        <translation>DRÜCKEN</translation>
    </message>
    <message>
        <source>BOUNCE UP</source>
        <translation>LOSLASSEN</translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation>MAKRO</translation>
    </message>
    <message>
        <source>MACRO LIST</source>
        <translation>MAKROLISTE</translation>
    </message>
    <message>
        <source>MACRO NAME</source>
        <translation>MAKRONAME</translation>
    </message>
    <message>
        <source>ACTIONS</source>
        <translation>AKTIONEN</translation>
    </message>
    <message>
        <source>MOUSE ACTIONS</source>
        <translation>MAUSAKTIONEN</translation>
    </message>
    <message>
        <source>DEFAULT DELAY (ms)</source>
        <translation>STANDARDPAUSE (ms)</translation>
    </message>
    <message>
        <source>DISTANCE</source>
        <translation>STRECKE</translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation>PAUSE (ms)</translation>
    </message>
    <message>
        <source>%1 DISTANCE</source>
        <translation>%1 STRECKE</translation>
    </message>
    <message>
        <source>The macro could not be saved.</source>
        <translation>Das Makro konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>WARNING</source>
        <translation>WARNUNG</translation>
    </message>
    <message>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation>ES KÖNNEN KEINE WEITEREN MAKROS ANGELEGT WERDEN!</translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation>Bitte einen Dateinamen eingeben.</translation>
    </message>
    <message>
        <source>A macro name cannot contain / or \.</source>
        <translation>Ein Makroname darf weder / noch \ enthalten.</translation>
    </message>
    <message>
        <source>The macro could not be renamed.</source>
        <translation>Das Makro konnte nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>Load Macro File</source>
        <translation>Makrodatei laden</translation>
    </message>
    <message>
        <source>Macro File(*.MSMACRO)</source>
        <translation>Makrodatei (*.MSMACRO)</translation>
    </message>
    <message>
        <source>Macro Exist!</source>
        <translation>Das Makro gibt es schon!</translation>
    </message>
    <message>
        <source>The macro could not be imported.</source>
        <translation>Das Makro konnte nicht importiert werden.</translation>
    </message>
    <message>
        <source>Not imported (the name is taken or the list is full): %1</source>
        <translation>Nicht importiert (Name vergeben oder Liste voll): %1</translation>
    </message>
    <message>
        <source>Save Macro File</source>
        <translation>Makrodatei speichern</translation>
    </message>
    <message>
        <source>The macro could not be exported.</source>
        <translation>Das Makro konnte nicht exportiert werden.</translation>
    </message>
    <message>
        <source>Not exported (a file of that name exists): %1</source>
        <translation>Nicht exportiert (eine Datei dieses Namens gibt es schon): %1</translation>
    </message>
    <message>
        <source>The gun file could not be written.</source>
        <translation>Die Waffendatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation>EINE ODER MEHRERE TASTEN WURDEN NICHT LOSGELASSEN.</translation>
    </message>
    <message>
        <source>KEY</source>
        <translation>TASTE</translation>
    </message>
    <message>
        <source>PRESS A KEY</source>
        <translation>TASTE DRÜCKEN</translation>
    </message>
    <message>
        <source>A MACRO HOLDS AT MOST %1 ACTIONS.</source>
        <translation>EIN MAKRO FASST HÖCHSTENS %1 AKTIONEN.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>MousecfgCommands</name>
    <message>
        <source>Mouse is sleeping or not connected.</source>
        <translation>Die Maus schläft oder ist nicht verbunden.</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>Senden fehlgeschlagen, bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Save Config File</source>
        <translation>Konfiguration speichern</translation>
    </message>
    <message>
        <source>Config File(*.conf)</source>
        <translation>Konfigurationsdatei (*.conf)</translation>
    </message>
    <message>
        <source>Load Config File</source>
        <translation>Konfiguration laden</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>die Datei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The file is not match current mouse!</source>
        <translation>Die Datei passt nicht zu dieser Maus!</translation>
    </message>
    <message>
        <source>The file cannot be loaded: %1</source>
        <translation>Die Datei kann nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>Are you sure you want reset all profiles?</source>
        <translation>Wirklich alle Profile zurücksetzen?</translation>
    </message>
</context>
<context>
    <name>MousecfgStatusArea</name>
    <message>
        <source>Battery</source>
        <translation>Akku</translation>
    </message>
    <message>
        <source>Receiver connected</source>
        <translation>Empfänger verbunden</translation>
    </message>
    <message>
        <source>MOUSE OFF</source>
        <translation>MAUS AUS</translation>
    </message>
</context>
<context>
    <name>MousecfgTray</name>
    <message>
        <source>&amp;Load Config</source>
        <translation>Konfiguration &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>MousecfgWidget</name>
    <message>
        <source>CUSTOMIZE</source>
        <translation>TASTEN</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation>MAKRO</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>LOAD1</source>
        <translation>LADEN</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SICHERN</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Maus</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>AT LEAST ONE CLICK FUNCTION TO BE RETAINED.</source>
        <translation>MINDESTENS EINE TASTE MUSS KLICKEN.</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>125 HZ</source>
        <translation>125 HZ</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation>250 HZ</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation>500 HZ</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation>1000 HZ</translation>
    </message>
    <message>
        <source>No permission to open the mouse (%1).
Install the udev rule 70-mousecfg.rules (see the README), then plug the mouse in again.</source>
        <translation>Keine Berechtigung, die Maus zu öffnen (%1).
Installieren Sie die udev-Regel 70-mousecfg.rules (siehe README) und stecken Sie die Maus neu ein.</translation>
    </message>
    <message>
        <source>Dongle Disconnect!</source>
        <translation>Empfänger getrennt!</translation>
    </message>
</context>
<context>
    <name>TarnBtnWindow</name>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>SINGLE KEY</source>
        <translation>EINZELTASTE</translation>
    </message>
    <message>
        <source>COMBO KEY</source>
        <translation>TASTENKOMBINATION</translation>
    </message>
    <message>
        <source>FIRE KEY</source>
        <translation>FEUERTASTE</translation>
    </message>
    <message>
        <source>Button Off</source>
        <translation>Taste aus</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alles markieren</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Switch Window</source>
        <translation>Fenster wechseln</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Arbeitsplatz</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ausführen</translation>
    </message>
    <message>
        <source>Show Desktop</source>
        <translation>Desktop anzeigen</translation>
    </message>
    <message>
        <source>Lock PC</source>
        <translation>PC sperren</translation>
    </message>
    <message>
        <source>Browser Home</source>
        <translation>Browser: Startseite</translation>
    </message>
    <message>
        <source>Browser Backward</source>
        <translation>Browser: Zurück</translation>
    </message>
    <message>
        <source>Browser Forward</source>
        <translation>Browser: Vorwärts</translation>
    </message>
    <message>
        <source>Browser Stop</source>
        <translation>Browser: Stopp</translation>
    </message>
    <message>
        <source>Browser Refresh</source>
        <translation>Browser: Neu laden</translation>
    </message>
    <message>
        <source>Browser Search</source>
        <translation>Browser: Suche</translation>
    </message>
    <message>
        <source>Browser Favorite</source>
        <translation>Browser: Favoriten</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Boss Key</source>
        <translation>Chef-Taste</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Vorheriger Titel</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Nächster Titel</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Lauter</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Leiser</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Media Player</source>
        <translation>Medienspieler</translation>
    </message>
    <message>
        <source>DPI Switch</source>
        <translation>DPI wechseln</translation>
    </message>
    <message>
        <source>DPI +</source>
        <translation>DPI +</translation>
    </message>
    <message>
        <source>DPI -</source>
        <translation>DPI -</translation>
    </message>
    <message>
        <source>Rate Switch</source>
        <translation>Rate wechseln</translation>
    </message>
    <message>
        <source>Rate +</source>
        <translation>Rate +</translation>
    </message>
    <message>
        <source>Rate -</source>
        <translation>Rate -</translation>
    </message>
    <message>
        <source>Scroll Up</source>
        <translation>Nach oben rollen</translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation>Nach unten rollen</translation>
    </message>
    <message>
        <source>Led Switch</source>
        <translation>Licht wechseln</translation>
    </message>
    <message>
        <source>SNIPER</source>
        <translation>SNIPER</translation>
    </message>
    <message>
        <source>Profile Switch</source>
        <translation>Profil wechseln</translation>
    </message>
    <message>
        <source>Profile +</source>
        <translation>Profil +</translation>
    </message>
    <message>
        <source>Profile -</source>
        <translation>Profil -</translation>
    </message>
    <message>
        <source>Macro Manager</source>
        <translation>Makroverwaltung</translation>
    </message>
    <message>
        <source>GunFile Manager</source>
        <translation>Waffendateien</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Grundfunktionen</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Medien</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>Polling Rate</source>
        <translation>Abfragerate</translation>
    </message>
    <message>
        <source>Profile Menu</source>
        <translation>Profilmenü</translation>
    </message>
    <message>
        <source>Wheel up</source>
        <translation>Rad nach oben</translation>
    </message>
    <message>
        <source>Wheel down</source>
        <translation>Rad nach unten</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Taste %1</translation>
    </message>
    <message>
        <source>MACRO SELECT</source>
        <translation>MAKROWAHL</translation>
    </message>
</context>
<context>
    <name>TarnColorArea</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Color Edit</source>
        <translation>Farbe bearbeiten</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>FARBE</translation>
    </message>
    <message>
        <source>Saturation and brightness</source>
        <translation>Sättigung und Helligkeit</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>APPLY</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TarnColorWindow</name>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>FULL LIGHTED</source>
        <translation>DAUERLICHT</translation>
    </message>
    <message>
        <source>BREATHING</source>
        <translation>ATMEN</translation>
    </message>
    <message>
        <source>7 COLOR BREATHING</source>
        <translation>7-FARBEN-ATMEN</translation>
    </message>
    <message>
        <source>RAINBOW</source>
        <translation>REGENBOGEN</translation>
    </message>
    <message>
        <source>FLASH</source>
        <translation>BLINKEN</translation>
    </message>
    <message>
        <source>Horizontal WAVE</source>
        <translation>Waagrechte WELLE</translation>
    </message>
    <message>
        <source>Horizontal GO WITHOUT TRACE</source>
        <translation>Waagrecht SPURLOS</translation>
    </message>
    <message>
        <source>Raindrop</source>
        <translation>Regentropfen</translation>
    </message>
    <message>
        <source>WAVE</source>
        <translation>WELLE</translation>
    </message>
    <message>
        <source>GO WITHOUT TRACE</source>
        <translation>SPURLOS</translation>
    </message>
    <message>
        <source>REACTIVE</source>
        <translation>REAKTIV</translation>
    </message>
    <message>
        <source>yo-yo</source>
        <translation>Jo-Jo</translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation>Murmeln</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation> MIN.</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>EFFEKT</translation>
    </message>
    <message>
        <source>BRIGHTNESS</source>
        <translation>HELLIGKEIT</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>TEMPO</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>FARBE</translation>
    </message>
    <message>
        <source>SLEEP TIME</source>
        <translation>RUHEZEIT</translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation>BEWEGEN: LICHT AUS</translation>
    </message>
</context>
<context>
    <name>TarnComboKeyWindow</name>
    <message>
        <source>Combo Key</source>
        <translation>Tastenkombination</translation>
    </message>
</context>
<context>
    <name>TarnDPIWindow</name>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
</context>
<context>
    <name>TarnFireKeyWindow</name>
    <message>
        <source>FireKey Setting</source>
        <translation>Feuertaste einstellen</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Keyboard Key</source>
        <translation>Tastaturtaste</translation>
    </message>
    <message>
        <source>Times:</source>
        <translation>Anzahl:</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>Pause:</translation>
    </message>
</context>
<context>
    <name>TarnGunsetDialog</name>
    <message>
        <source>DELAY(MS)</source>
        <translation>PAUSE (MS)</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Gun Set</source>
        <translation>Waffe einstellen</translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation>WAFFE</translation>
    </message>
    <message>
        <source>GUNFILE NAME</source>
        <translation>WAFFENDATEI</translation>
    </message>
    <message>
        <source>BULLETS</source>
        <translation>SCHÜSSE</translation>
    </message>
    <message>
        <source>Bullet %1 %2</source>
        <translation>Schuss %1 %2</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation>Bitte einen Dateinamen eingeben.</translation>
    </message>
    <message>
        <source>A file name cannot contain / or \, nor begin or end with a space.</source>
        <translation>Ein Dateiname darf weder / noch \ enthalten und nicht mit einem Leerzeichen beginnen oder enden.</translation>
    </message>
</context>
<context>
    <name>TarnItemModel</name>
    <message>
        <source>KEY</source>
        <translation>TASTE</translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation>AKTION</translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation>PAUSE (ms)</translation>
    </message>
    <message>
        <source>EMPTY</source>
        <translation>LEER</translation>
    </message>
    <message>
        <source>DELAY</source>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
</context>
<context>
    <name>TarnKeyCaptureDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>No key pressed</source>
        <translation>Keine Taste gedrückt</translation>
    </message>
    <message>
        <source>Keys: %1</source>
        <translation>Tasten: %1</translation>
    </message>
</context>
<context>
    <name>TarnMacroItemDelegate</name>
    <message>
        <source>LEFT CLICK</source>
        <translation>LINKSKLICK</translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation>RECHTSKLICK</translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation>MITTELKLICK</translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation>VORWÄRTS</translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation>ZURÜCK</translation>
    </message>
    <message>
        <source>Press</source>
        <translation>Drücken</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Loslassen</translation>
    </message>
    <message>
        <source>MOVE RIGHT</source>
        <translation>NACH RECHTS</translation>
    </message>
    <message>
        <source>MOVE LEFT</source>
        <translation>NACH LINKS</translation>
    </message>
    <message>
        <source>MOVE DOWN</source>
        <translation>NACH UNTEN</translation>
    </message>
    <message>
        <source>MOVE UP</source>
        <translation>NACH OBEN</translation>
    </message>
</context>
<context>
    <name>TarnMacroSelect</name>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>ANZAHL (1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>SOLANGE GEDRÜCKT</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTILL THE KEY DOWN</source>
        <translation>BIS ERNEUT GEDRÜCKT</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Macro</source>
        <translation>Makro</translation>
    </message>
    <message>
        <source>Macro: %1</source>
        <translation>Makro: %1</translation>
    </message>
</context>
<context>
    <name>TarnMessageBox</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>TarnPointSpeed</name>
    <message>
        <source>POINTER SPEED</source>
        <translation>ZEIGERTEMPO</translation>
    </message>
    <message>
        <source>SCROLL SPEED</source>
        <translation>BILDLAUFTEMPO</translation>
    </message>
</context>
<context>
    <name>TarnPopBox</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>TarnProcessDialog</name>
    <message>
        <source>Please wait</source>
        <translation>Bitte warten</translation>
    </message>
</context>
<context>
    <name>TarnReportRate</name>
    <message>
        <source>125 HZ</source>
        <translation>125 HZ</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation>250 HZ</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation>500 HZ</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation>1000 HZ</translation>
    </message>
    <message>
        <source>REPORT RATE</source>
        <translation>ABFRAGERATE</translation>
    </message>
    <message>
        <source>Lift off Distance</source>
        <translation>Abhebehöhe</translation>
    </message>
    <message>
        <source>1 mm</source>
        <translation>1 mm</translation>
    </message>
    <message>
        <source>2 mm</source>
        <translation>2 mm</translation>
    </message>
</context>
<context>
    <name>TarnSingleDPI</name>
    <message>
        <source>Link XY</source>
        <translation>XY koppeln</translation>
    </message>
    <message>
        <source>DPI level %1 on</source>
        <translation>DPI-Stufe %1 an</translation>
    </message>
    <message>
        <source>DPI level %1 X</source>
        <translation>DPI-Stufe %1 X</translation>
    </message>
    <message>
        <source>DPI level %1 Y</source>
        <translation>DPI-Stufe %1 Y</translation>
    </message>
    <message>
        <source>DPI level %1</source>
        <translation>DPI-Stufe %1</translation>
    </message>
    <message>
        <source>Click, or press Space, to make this level the active one</source>
        <translation>Klicken oder Leertaste drücken, um diese Stufe zu aktivieren</translation>
    </message>
</context>
<context>
    <name>TarnSingleKeyWindow</name>
    <message>
        <source>Single Key</source>
        <translation>Einzeltaste</translation>
    </message>
</context>
<context>
    <name>TarnSniperWindow</name>
    <message>
        <source>Sniper Setting</source>
        <translation>Sniper einstellen</translation>
    </message>
    <message>
        <source>Sniper DPI</source>
        <translation>Sniper-DPI</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
</TS>
