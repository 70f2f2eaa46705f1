<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Keepgate</name>
    <message>
        <source>Keepgate Help</source>
        <translation>Keepgate-Hilfe</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Write with administrator rights</source>
        <translation>Mit Administratorrechten schreiben</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>%1 was written with administrator rights.</source>
        <translation>%1 wurde mit Administratorrechten geschrieben.</translation>
    </message>
    <message>
        <source>%1 was not written with administrator rights: %2. The file was not changed.</source>
        <translation>%1 wurde nicht mit Administratorrechten geschrieben: %2. Die Datei wurde nicht verändert.</translation>
    </message>
    <message>
        <source>%1 was not written with administrator rights: %2. The file may have been changed.</source>
        <translation>%1 wurde nicht mit Administratorrechten geschrieben: %2. Die Datei wurde möglicherweise verändert.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Keepgate could not read the web server&apos;s configuration %1, so it cannot tell whether the server is set up for protection.</source>
        <translation>Keepgate konnte die Konfiguration %1 des Webservers nicht lesen und kann daher nicht feststellen, ob der Server für den Schutz eingerichtet ist.</translation>
    </message>
    <message>
        <source>You have set up Keepgate to keep the protection settings of each individual directory you are protecting in its %1 file, but the Apache web server does not read them in %2 and the directories inside it.</source>
        <translation>Sie haben Keepgate so eingerichtet, dass es die Schutzeinstellungen jedes Verzeichnisses, das Sie schützen, in dessen Datei %1 ablegt, doch der Apache-Webserver liest sie in %2 und den Verzeichnissen darin nicht.</translation>
    </message>
    <message>
        <source>Keepgate keeps the protection settings of each individual directory you are protecting in its %1 file, but the Apache web server does not read them in %2 and the directories inside it.</source>
        <translation>Keepgate legt die Schutzeinstellungen jedes Verzeichnisses, das Sie schützen, in dessen Datei %1 ab, doch der Apache-Webserver liest sie in %2 und den Verzeichnissen darin nicht.</translation>
    </message>
    <message>
        <source>You have set up Keepgate to keep the protection settings of every directory in %1, but the Apache web server does not read that file.</source>
        <translation>Sie haben Keepgate so eingerichtet, dass es die Schutzeinstellungen aller Verzeichnisse in %1 ablegt, doch der Apache-Webserver liest diese Datei nicht.</translation>
    </message>
    <message>
        <source>%1 Keepgate cannot change that: %2.</source>
        <translation>%1 Keepgate kann das nicht ändern: %2.</translation>
    </message>
    <message>
        <source>%1

Would you like Keepgate to automatically configure it? It will:

%2

(This will require administrator authorization.)</source>
        <translation>%1

Soll Keepgate das automatisch einrichten? Dabei wird:

%2

(Dafür ist eine Bestätigung als Administrator nötig.)</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Warnung!</translation>
    </message>
    <message>
        <source>Automatically configure</source>
        <translation>Automatisch einrichten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>A problem arose while attempting to check for a new version of Keepgate.  %1 may be temporarily unavailable or your network may be down.</source>
        <translation>Beim Suchen nach einer neuen Version von Keepgate ist ein Problem aufgetreten. %1 ist vielleicht vorübergehend nicht erreichbar, oder Ihr Netzwerk ist getrennt.</translation>
    </message>
    <message>
        <source>Could not check for update: %1 may be temporarily unavailable or your network may be down.</source>
        <translation>Suche nach Aktualisierungen nicht möglich: %1 ist vielleicht vorübergehend nicht erreichbar, oder Ihr Netzwerk ist getrennt.</translation>
    </message>
    <message>
        <source>Could not check for update</source>
        <translation>Suche nach Aktualisierungen nicht möglich</translation>
    </message>
    <message>
        <source>A new version (%1) is available with the following new features:

%2

Would you like to visit the web site to download it?</source>
        <translation>Eine neue Version (%1) ist verfügbar, mit diesen Neuerungen:

%2

Möchten Sie die Website besuchen, um sie herunterzuladen?</translation>
    </message>
    <message>
        <source>New Version</source>
        <translation>Neue Version</translation>
    </message>
    <message>
        <source>Visit Web Site</source>
        <translation>Website besuchen</translation>
    </message>
    <message>
        <source>No Update Available</source>
        <translation>Keine Aktualisierung verfügbar</translation>
    </message>
    <message>
        <source>You already have the latest version of this application.</source>
        <translation>Sie haben bereits die neueste Version dieses Programms.</translation>
    </message>
    <message>
        <source>The ReadMe %1 could not be opened.</source>
        <translation>Die Lies-mich-Datei %1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The ReadMe is not installed beside Keepgate.</source>
        <translation>Die Lies-mich-Datei ist nicht neben Keepgate installiert.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Die Benutzerdatei „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is opened read-only: %2. Keepgate will not write to it.</source>
        <translation>Die Datei „%1“ wird schreibgeschützt geöffnet: %2. Keepgate schreibt nicht in sie.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is read-only here: %2.</source>
        <translation>Die Datei „%1“ ist hier schreibgeschützt: %2.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; could not be written (%2). The list keeps your change; the next successful save writes it.</source>
        <translation>Die Benutzerdatei „%1“ konnte nicht geschrieben werden (%2). Die Liste behält Ihre Änderung; das nächste erfolgreiche Speichern schreibt sie.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; was changed by another program: %2. Your change was not written; open the file again.</source>
        <translation>Die Benutzerdatei „%1“ wurde von einem anderen Programm geändert: %2. Ihre Änderung wurde nicht geschrieben; öffnen Sie die Datei erneut.</translation>
    </message>
    <message>
        <source>it is gone</source>
        <translation>sie ist verschwunden</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed by another program and is now read-only here: %2. Your change was not written.</source>
        <translation>Die Datei „%1“ wurde von einem anderen Programm geändert und ist hier nun schreibgeschützt: %2. Ihre Änderung wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; kept being changed by another program while Keepgate saved it. Your change was not written; try again.</source>
        <translation>Die Benutzerdatei „%1“ wurde immer wieder von einem anderen Programm geändert, während Keepgate sie speicherte. Ihre Änderung wurde nicht geschrieben; versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The Password field is empty. The user &quot;%1&quot; was not added: without a password anyone who knows the name would be let in.</source>
        <translation>Das Feld „Passwort“ ist leer. Der Benutzer „%1“ wurde nicht hinzugefügt: Ohne Passwort käme jeder hinein, der den Namen kennt.</translation>
    </message>
    <message>
        <source>Change the password of %1?</source>
        <translation>Das Passwort von %1 ändern?</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is already in the file. Change its password instead?</source>
        <translation>Der Benutzer „%1“ ist bereits in der Datei. Stattdessen sein Passwort ändern?</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>Passwort ändern</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; was added to the file by another program meanwhile; its password stays as that program set it.</source>
        <translation>Der Benutzer „%1“ wurde inzwischen von einem anderen Programm zur Datei hinzugefügt; sein Passwort bleibt, wie jenes Programm es gesetzt hat.</translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation>%1 hinzugefügt</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is no longer in the file: another program removed it. The password was not changed.</source>
        <translation>Der Benutzer „%1“ ist nicht mehr in der Datei: Ein anderes Programm hat ihn entfernt. Das Passwort wurde nicht geändert.</translation>
    </message>
    <message>
        <source>Changed the password of %1</source>
        <translation>Passwort von %1 geändert</translation>
    </message>
    <message>
        <source>Select one user in the list first.</source>
        <translation>Wählen Sie zuerst einen Benutzer in der Liste aus.</translation>
    </message>
    <message>
        <source>The Password field is empty. The password of &quot;%1&quot; was not changed: without a password anyone who knows the name would be let in.</source>
        <translation>Das Feld „Passwort“ ist leer. Das Passwort von „%1“ wurde nicht geändert: Ohne Passwort käme jeder hinein, der den Namen kennt.</translation>
    </message>
    <message>
        <source>The password could not be checked with &quot;%1&quot;.</source>
        <translation>Das Passwort konnte nicht mit „%1“ geprüft werden.</translation>
    </message>
    <message>
        <source>Check Password</source>
        <translation>Passwort prüfen</translation>
    </message>
    <message>
        <source>The password is correct for &quot;%1&quot;.</source>
        <translation>Das Passwort von „%1“ ist richtig.</translation>
    </message>
    <message>
        <source>The password does not match the one stored for &quot;%1&quot;.</source>
        <translation>Das Passwort stimmt nicht mit dem für „%1“ gespeicherten überein.</translation>
    </message>
    <message>
        <source>Choose the user file</source>
        <translation>Benutzerdatei auswählen</translation>
    </message>
    <message>
        <source>New user file</source>
        <translation>Neue Benutzerdatei</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the user?</source>
        <translation>Möchten Sie den Benutzer wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the user %1?</source>
        <translation>Möchten Sie den Benutzer %1 wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the %1 selected users?</source>
        <translation>Möchten Sie die %1 ausgewählten Benutzer wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the %1 users %2?</source>
        <translation>Möchten Sie die %1 Benutzer %2 wirklich löschen?</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>No user was deleted: the file is read-only here (%1).</source>
        <translation>Es wurde kein Benutzer gelöscht: Die Datei ist hier schreibgeschützt (%1).</translation>
    </message>
    <message>
        <source>The chosen users are no longer in the file: another program removed or changed them meanwhile.</source>
        <translation>Die ausgewählten Benutzer sind nicht mehr in der Datei: Ein anderes Programm hat sie inzwischen entfernt oder geändert.</translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>%1 gelöscht</translation>
    </message>
    <message>
        <source>The shared configuration file path &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation>Der Pfad „%1“ der gemeinsamen Konfigurationsdatei kann nicht verwendet werden: %2. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The access file name &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation>Der Name „%1“ der Zugriffsdatei kann nicht verwendet werden: %2. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>No web server answered and none of the usual main configuration files exists. The field keeps its value.</source>
        <translation>Kein Webserver hat geantwortet, und keine der üblichen Hauptkonfigurationsdateien ist vorhanden. Das Feld behält seinen Wert.</translation>
    </message>
    <message>
        <source>The web server&apos;s configuration file path &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation>Der Pfad „%1“ der Konfigurationsdatei des Webservers kann nicht verwendet werden: %2. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>%1 The web server&apos;s configuration was not changed.</source>
        <translation>%1 Die Konfiguration des Webservers wurde nicht verändert.</translation>
    </message>
    <message>
        <source>%1

%2</source>
        <translation>%1

%2</translation>
    </message>
    <message>
        <source>Keepgate did not install the amended configuration of %1: %2. The web server&apos;s configuration was not changed.</source>
        <translation>Keepgate hat die ergänzte Konfiguration von %1 nicht installiert: %2. Die Konfiguration des Webservers wurde nicht verändert.</translation>
    </message>
    <message>
        <source>Keepgate did not install the amended configuration of %1: %2. The file may have been changed; compare it with its backup %3.</source>
        <translation>Keepgate hat die ergänzte Konfiguration von %1 nicht installiert: %2. Die Datei wurde möglicherweise verändert; vergleichen Sie sie mit ihrer Sicherung %3.</translation>
    </message>
    <message>
        <source>Keepgate changed %1.</source>
        <translation>Keepgate hat %1 geändert.</translation>
    </message>
    <message>
        <source>Apache (httpd) is now configured.</source>
        <translation>Apache (httpd) ist nun eingerichtet.</translation>
    </message>
    <message>
        <source>The previous configuration was kept as %1.</source>
        <translation>Die bisherige Konfiguration wurde als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>Please restart the Personal Web Sharing in your System Preferences for the changes to take effect!</source>
        <translation>Bitte starten Sie „Personal Web Sharing“ in den Systemeinstellungen neu, damit die Änderungen wirksam werden!</translation>
    </message>
    <message>
        <source>Restart the web server for the changes to take effect.</source>
        <translation>Starten Sie den Webserver neu, damit die Änderungen wirksam werden.</translation>
    </message>
    <message>
        <source>Complete!</source>
        <translation>Fertig!</translation>
    </message>
    <message>
        <source>The web server reads the change when it reloads its configuration.</source>
        <translation>Der Webserver liest die Änderung, wenn er seine Konfiguration neu lädt.</translation>
    </message>
    <message>
        <source>Reload the web server now</source>
        <translation>Webserver jetzt neu laden</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Reloaded</source>
        <translation>Neu geladen</translation>
    </message>
    <message>
        <source>The web server is already set up for this; nothing was changed.</source>
        <translation>Der Webserver ist dafür bereits eingerichtet; es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Keepgate could not change %1: %2. The web server&apos;s configuration was not changed.</source>
        <translation>Keepgate konnte %1 nicht ändern: %2. Die Konfiguration des Webservers wurde nicht verändert.</translation>
    </message>
    <message>
        <source>Keepgate could not change %1: %2. The configuration may have been changed; see the files named here.</source>
        <translation>Keepgate konnte %1 nicht ändern: %2. Die Konfiguration wurde möglicherweise verändert; sehen Sie sich die hier genannten Dateien an.</translation>
    </message>
    <message>
        <source>it could not be read</source>
        <translation>sie konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>its new text could not be staged: %1</source>
        <translation>ihr neuer Text konnte nicht bereitgestellt werden: %1</translation>
    </message>
    <message>
        <source>the test configuration could not be staged: %1</source>
        <translation>die Testkonfiguration konnte nicht bereitgestellt werden: %1</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change</source>
        <translation>der eigene Konfigurationstest des Webservers hat die Änderung abgelehnt</translation>
    </message>
    <message>
        <source>enabling it with %1 failed</source>
        <translation>das Aktivieren mit %1 ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1; compare it with its backup %2</source>
        <translation>%1; vergleichen Sie sie mit ihrer Sicherung %2</translation>
    </message>
    <message>
        <source>Keepgate cannot allow access files in %1: %2.</source>
        <translation>Keepgate kann Zugriffsdateien in %1 nicht erlauben: %2.</translation>
    </message>
    <message>
        <source>Keepgate cannot make the web server read %1: %2.</source>
        <translation>Keepgate kann den Webserver nicht dazu bringen, %1 zu lesen: %2.</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>The web server&apos;s configuration test fails after this save of %1:

%2

The web server keeps its running configuration until it reloads.</source>
        <translation>Der Konfigurationstest des Webservers schlägt nach diesem Speichern von %1 fehl:

%2

Der Webserver behält seine laufende Konfiguration, bis er neu lädt.</translation>
    </message>
    <message>
        <source>Restore the previous file</source>
        <translation>Vorherige Datei wiederherstellen</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Restored</source>
        <translation>Wiederhergestellt</translation>
    </message>
    <message>
        <source>The previous contents of %1 are back.</source>
        <translation>Der vorherige Inhalt von %1 ist wiederhergestellt.</translation>
    </message>
    <message>
        <source>Keepgate could not restore %1 (%2).</source>
        <translation>Keepgate konnte %1 nicht wiederherstellen (%2).</translation>
    </message>
    <message>
        <source>Fix</source>
        <translation>Beheben</translation>
    </message>
    <message>
        <source>%1

The fix needs administrator rights.</source>
        <translation>%1

Die Behebung erfordert Administratorrechte.</translation>
    </message>
    <message>
        <source>The module %1 was not enabled: %2. The web server&apos;s configuration was not changed.</source>
        <translation>Das Modul %1 wurde nicht aktiviert: %2. Die Konfiguration des Webservers wurde nicht verändert.</translation>
    </message>
    <message>
        <source>The module %1 was not enabled: %2.</source>
        <translation>Das Modul %1 wurde nicht aktiviert: %2.</translation>
    </message>
    <message>
        <source>The module %1 is enabled.</source>
        <translation>Das Modul %1 ist aktiviert.</translation>
    </message>
    <message>
        <source>The module %1 is enabled. The web server&apos;s configuration test now fails:

%2</source>
        <translation>Das Modul %1 ist aktiviert. Der Konfigurationstest des Webservers schlägt nun fehl:

%2</translation>
    </message>
    <message>
        <source>(Not found. Select another...)</source>
        <translation>(Nicht gefunden. Wählen Sie eine andere …)</translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; cannot be protected in the shared configuration file: its path cannot stand in the section header, because %2.</source>
        <translation>Das Verzeichnis „%1“ kann nicht in der gemeinsamen Konfigurationsdatei geschützt werden: Sein Pfad kann nicht im Abschnittskopf stehen, weil %2.</translation>
    </message>
    <message>
        <source>The file %1 could not be written: %2</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The file %1 could not be read, so it was left as it is.</source>
        <translation>Die Datei %1 konnte nicht gelesen werden und bleibt daher, wie sie ist.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; cannot be used: %3. Nothing was saved.</source>
        <translation>Der Wert für %1 „%2“ kann nicht verwendet werden: %3. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>the %1 file in %2</source>
        <translation>der Datei %1 in %2</translation>
    </message>
    <message>
        <source>the section for it in %1</source>
        <translation>seinem Abschnitt in %1</translation>
    </message>
    <message>
        <source>Choose the directory to protect</source>
        <translation>Zu schützendes Verzeichnis auswählen</translation>
    </message>
    <message>
        <source>This directory is also protected in %1; Keepgate edits %2.</source>
        <translation>Dieses Verzeichnis ist auch in %1 geschützt; Keepgate bearbeitet den Schutz in %2.</translation>
    </message>
    <message>
        <source>Server check: %1 (Check Server lists all %2 findings.)</source>
        <translation>Serverprüfung: %1 („Server prüfen“ listet alle %2 Befunde auf.)</translation>
    </message>
    <message>
        <source>Server check: %1</source>
        <translation>Serverprüfung: %1</translation>
    </message>
    <message>
        <source>%1   (controls access: saving asks before replacing it)</source>
        <translation>%1   (regelt den Zugriff: Vor dem Ersetzen fragt das Speichern nach)</translation>
    </message>
    <message>
        <source>Kept as written:</source>
        <translation>Unverändert beibehalten:</translation>
    </message>
    <message>
        <source>%1 was changed by another program. Choose the directory again to see its protection; saving applies what is shown here.</source>
        <translation>%1 wurde von einem anderen Programm geändert. Wählen Sie das Verzeichnis erneut aus, um seinen Schutz zu sehen; beim Speichern gilt, was hier angezeigt wird.</translation>
    </message>
    <message>
        <source>Choose the group file</source>
        <translation>Gruppendatei auswählen</translation>
    </message>
    <message>
        <source>realm name</source>
        <translation>den Bereichsnamen</translation>
    </message>
    <message>
        <source>The host rule for &quot;%1&quot; must be Allow or Deny, not &quot;%2&quot;. Nothing was saved.</source>
        <translation>Die Host-Regel für „%1“ muss Allow oder Deny sein, nicht „%2“. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>host of a host rule</source>
        <translation>den Host einer Host-Regel</translation>
    </message>
    <message>
        <source>user file path</source>
        <translation>den Pfad der Benutzerdatei</translation>
    </message>
    <message>
        <source>group file path</source>
        <translation>den Pfad der Gruppendatei</translation>
    </message>
    <message>
        <source>group name</source>
        <translation>den Gruppennamen</translation>
    </message>
    <message>
        <source>user name</source>
        <translation>den Benutzernamen</translation>
    </message>
    <message>
        <source>%1 Nothing was saved.</source>
        <translation>%1 Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>This protection admits everyone: no user or group is required, no host rule keeps anyone out and &quot;Deny all other hosts&quot; is off, so the directory would stay open to everyone. Nothing was saved.</source>
        <translation>Dieser Schutz lässt alle hinein: Kein Benutzer und keine Gruppe ist erforderlich, keine Host-Regel hält jemanden fern, und „Alle anderen Hosts abweisen“ ist aus – das Verzeichnis bliebe für alle offen. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The web server will not enforce this protection as it is set up now:</source>
        <translation>Der Webserver wird diesen Schutz, so wie er jetzt eingerichtet ist, nicht durchsetzen:</translation>
    </message>
    <message>
        <source>Check Server fixes what Keepgate can fix. Save the protection anyway?</source>
        <translation>„Server prüfen“ behebt, was Keepgate beheben kann. Den Schutz trotzdem speichern?</translation>
    </message>
    <message>
        <source>Save Anyway</source>
        <translation>Trotzdem speichern</translation>
    </message>
    <message>
        <source>Fix… fixes what Keepgate can fix (with administrator rights), then saves.</source>
        <translation>„Beheben…“ behebt, was Keepgate beheben kann (mit Administratorrechten), und speichert dann.</translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation>Beheben…</translation>
    </message>
    <message>
        <source>The protection on disk holds lines that control access in a form Keepgate cannot show. Saving removes these lines:</source>
        <translation>Der Schutz auf der Festplatte enthält Zeilen, die den Zugriff in einer Form regeln, die Keepgate nicht anzeigen kann. Das Speichern entfernt diese Zeilen:</translation>
    </message>
    <message>
        <source>and writes this protection in their place:</source>
        <translation>und schreibt an ihrer Stelle diesen Schutz:</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Use Apache 2.4 rules</source>
        <translation>Regeln von Apache 2.4 verwenden</translation>
    </message>
    <message>
        <source>The host rules will be written as Apache 2.4&apos;s Require lines, which need no mod_access_compat. Saving writes this protection:</source>
        <translation>Die Host-Regeln werden als Require-Zeilen von Apache 2.4 geschrieben, die kein mod_access_compat brauchen. Das Speichern schreibt diesen Schutz:</translation>
    </message>
    <message>
        <source>Convert and Save</source>
        <translation>Umwandeln und speichern</translation>
    </message>
    <message>
        <source>The host rules keep their Apache 2.2 form.</source>
        <translation>Die Host-Regeln behalten ihre Form für Apache 2.2.</translation>
    </message>
    <message>
        <source>The file %1 could not be read, so nothing was saved.</source>
        <translation>Die Datei %1 konnte nicht gelesen werden, daher wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Saved %1 in %2</source>
        <translation>%1 in %2 gespeichert</translation>
    </message>
    <message>
        <source>Saved the section for %1 in %2</source>
        <translation>Abschnitt für %1 in %2 gespeichert</translation>
    </message>
    <message>
        <source>Are you sure you want to remove protection for this directory?</source>
        <translation>Möchten Sie den Schutz dieses Verzeichnisses wirklich entfernen?</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>No protection was saved for %1; nothing was removed</source>
        <translation>Für %1 war kein Schutz gespeichert; es wurde nichts entfernt</translation>
    </message>
    <message>
        <source>Removed protection</source>
        <translation>Schutz entfernt</translation>
    </message>
    <message>
        <source>The access file %1 is a folder, so it was left as it is.</source>
        <translation>Die Zugriffsdatei %1 ist ein Ordner und bleibt daher, wie sie ist.</translation>
    </message>
    <message>
        <source>The file %1 could not be removed: %2. With administrator rights Keepgate can empty it, which removes the protection too.</source>
        <translation>Die Datei %1 konnte nicht entfernt werden: %2. Mit Administratorrechten kann Keepgate sie leeren, was den Schutz ebenfalls entfernt.</translation>
    </message>
    <message>
        <source>Protection Kept Elsewhere</source>
        <translation>Schutz liegt woanders</translation>
    </message>
    <message>
        <source>The protection of %1 is kept in %2, not in %3 where the preferences keep protection.

Keepgate can edit it where it is, or move it: write it to %3, remove it from %2 and test the folder.</source>
        <translation>Der Schutz von %1 liegt in %2, nicht in %3, wo die Einstellungen den Schutz ablegen.

Keepgate kann ihn dort bearbeiten, wo er ist, oder ihn verschieben: ihn in %3 schreiben, ihn aus %2 entfernen und den Ordner testen.</translation>
    </message>
    <message>
        <source>Move It</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Edit It There</source>
        <translation>Dort bearbeiten</translation>
    </message>
    <message>
        <source>%1 The protection stays where it is.</source>
        <translation>%1 Der Schutz bleibt, wo er ist.</translation>
    </message>
    <message>
        <source>Moved the protection of %1 to %2</source>
        <translation>Schutz von %1 verschoben; er liegt jetzt in %2</translation>
    </message>
    <message>
        <source>The protection of %1 is now in both places; the old one could not be removed</source>
        <translation>Der Schutz von %1 liegt nun an beiden Orten; der alte konnte nicht entfernt werden</translation>
    </message>
    <message>
        <source>The server asks for a password (realm &quot;%1&quot;).</source>
        <translation>Der Server verlangt ein Passwort (Bereich „%1“).</translation>
    </message>
    <message>
        <source>The server serves this folder to everyone. %1</source>
        <translation>Der Server liefert diesen Ordner an alle aus. %1</translation>
    </message>
    <message>
        <source>The server serves this folder to everyone. It shows no listing of it, but serves the files in it.</source>
        <translation>Der Server liefert diesen Ordner an alle aus. Er zeigt zwar keine Übersicht des Ordners, liefert aber die Dateien darin aus.</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>No protection is saved for this folder.</source>
        <translation>Für diesen Ordner ist kein Schutz gespeichert.</translation>
    </message>
    <message>
        <source>The server&apos;s configuration %1 cannot be read to find out why.</source>
        <translation>Die Konfiguration %1 des Servers kann nicht gelesen werden, um den Grund zu finden.</translation>
    </message>
    <message>
        <source>The server reads access files named %1, not %2.</source>
        <translation>Der Server liest Zugriffsdateien namens %1, nicht %2.</translation>
    </message>
    <message>
        <source>no AllowOverride lets it take effect, and the server&apos;s default is None</source>
        <translation>kein AllowOverride lässt sie wirken, und die Voreinstellung des Servers ist None</translation>
    </message>
    <message>
        <source>AllowOverride %1 is in force for this folder (%2 line %3)</source>
        <translation>für diesen Ordner gilt AllowOverride %1 (%2, Zeile %3)</translation>
    </message>
    <message>
        <source>The server ignores %1 here: %2.</source>
        <translation>Der Server ignoriert %1 hier: %2.</translation>
    </message>
    <message>
        <source>The main configuration %1 does not include %2.</source>
        <translation>Die Hauptkonfiguration %1 bindet %2 nicht ein.</translation>
    </message>
    <message>
        <source>The server has probably not been reloaded since the protection was saved.</source>
        <translation>Der Server wurde seit dem Speichern des Schutzes wahrscheinlich nicht neu geladen.</translation>
    </message>
    <message>
        <source>(The error log %1 cannot be read.)</source>
        <translation>(Das Fehlerprotokoll %1 kann nicht gelesen werden.)</translation>
    </message>
    <message>
        <source>The error log says: %1</source>
        <translation>Das Fehlerprotokoll meldet: %1</translation>
    </message>
    <message>
        <source>Not protected: the server serves this folder to everyone. It shows no listing of it, but serves the files in it.</source>
        <translation>Nicht geschützt: Der Server liefert diesen Ordner an alle aus. Er zeigt zwar keine Übersicht des Ordners, liefert aber die Dateien darin aus.</translation>
    </message>
    <message>
        <source>The server fails on this folder.</source>
        <translation>Der Server scheitert an diesem Ordner.</translation>
    </message>
    <message>
        <source>With %1&apos;s password: %2</source>
        <translation>Mit dem Passwort von %1: %2</translation>
    </message>
    <message>
        <source>Protected: the server asks for a password (realm &quot;%1&quot;).</source>
        <translation>Geschützt: Der Server verlangt ein Passwort (Bereich „%1“).</translation>
    </message>
    <message>
        <source>Not protected: the server serves this folder to everyone. %1</source>
        <translation>Nicht geschützt: Der Server liefert diesen Ordner an alle aus. %1</translation>
    </message>
    <message>
        <source>Closed by a host rule for this computer.</source>
        <translation>Für diesen Rechner durch eine Host-Regel gesperrt.</translation>
    </message>
    <message>
        <source>The server&apos;s certificate would not be trusted by a browser (%1); Keepgate accepted it for this test on this computer only.</source>
        <translation>Ein Browser würde dem Zertifikat des Servers nicht vertrauen (%1); Keepgate hat es nur für diesen Test auf diesem Rechner akzeptiert.</translation>
    </message>
    <message>
        <source>%1 is let in.</source>
        <translation>%1 wird eingelassen.</translation>
    </message>
    <message>
        <source>Warning: passwords travel in clear text to %1, which is plain HTTP; anyone on the network path can read them. Publish the folder over HTTPS.</source>
        <translation>Warnung: Passwörter gehen im Klartext an %1, eine reine HTTP-Adresse; jeder auf dem Netzwerkweg kann sie mitlesen. Veröffentlichen Sie den Ordner über HTTPS.</translation>
    </message>
    <message>
        <source>%1 is refused (wrong password, or not among the marked users and groups).</source>
        <translation>%1 wird abgewiesen (falsches Passwort, oder nicht unter den markierten Benutzern und Gruppen).</translation>
    </message>
    <message>
        <source>The web server&apos;s configuration %1 cannot be read, so the address is not known; type it here.</source>
        <translation>Die Konfiguration %1 des Webservers kann nicht gelesen werden, daher ist die Adresse unbekannt; geben Sie sie hier ein.</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Geschützt</translation>
    </message>
    <message>
        <source>Not protected</source>
        <translation>Nicht geschützt</translation>
    </message>
    <message>
        <source>Failing</source>
        <translation>Fehlerhaft</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Nicht erreichbar</translation>
    </message>
    <message>
        <source>Not tested</source>
        <translation>Nicht getestet</translation>
    </message>
    <message>
        <source>%1: the test is running.</source>
        <translation>%1: Der Test läuft.</translation>
    </message>
    <message>
        <source>%1: press Test Again to ask the server.</source>
        <translation>%1: Klicken Sie auf „Erneut testen“, um den Server zu fragen.</translation>
    </message>
    <message>
        <source>Tested %1 at %2.</source>
        <translation>%1 um %2 getestet.</translation>
    </message>
    <message>
        <source>Test cancelled.</source>
        <translation>Test abgebrochen.</translation>
    </message>
    <message>
        <source>No Address</source>
        <translation>Keine Adresse</translation>
    </message>
    <message>
        <source>Keepgate does not know the address of this folder. Type it into the address field.</source>
        <translation>Keepgate kennt die Adresse dieses Ordners nicht. Geben Sie sie in das Adressfeld ein.</translation>
    </message>
    <message>
        <source>Test Protection</source>
        <translation>Schutz testen</translation>
    </message>
    <message>
        <source>Keepgate asks %1 without a password, and with the user name and password below when you give them. The password is used for this test only; it is neither stored nor logged.</source>
        <translation>Keepgate fragt %1 ohne Passwort ab und, wenn Sie sie angeben, mit dem Benutzernamen und Passwort unten. Das Passwort dient nur diesem Test; es wird weder gespeichert noch protokolliert.</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Testen</translation>
    </message>
    <message>
        <source>Testing %1 (click Test Protection again to cancel)…</source>
        <translation>%1 wird getestet (zum Abbrechen erneut auf „Schutz testen“ klicken) …</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>%1 (through %2)</source>
        <translation>%1 (über %2)</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; was changed by another program: %2. Your change was not written; open the file again.</source>
        <translation>Die Gruppendatei „%1“ wurde von einem anderen Programm geändert: %2. Ihre Änderung wurde nicht geschrieben; öffnen Sie die Datei erneut.</translation>
    </message>
    <message>
        <source>New group file</source>
        <translation>Neue Gruppendatei</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; cannot be used: %2.</source>
        <translation>Die Gruppendatei „%1“ kann nicht verwendet werden: %2.</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>sie ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Die Gruppendatei „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>%1: the file is read-only here (%2).</source>
        <translation>%1: Die Datei ist hier schreibgeschützt (%2).</translation>
    </message>
    <message>
        <source>The group name &quot;%1&quot; cannot be used: %2. A group name may not contain blanks, tabs, colons or line breaks.</source>
        <translation>Der Gruppenname „%1“ kann nicht verwendet werden: %2. Ein Gruppenname darf keine Leerzeichen, Tabulatoren, Doppelpunkte oder Zeilenumbrüche enthalten.</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; was not added</source>
        <translation>Die Gruppe „%1“ wurde nicht hinzugefügt</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; was added to the file by another program meanwhile.</source>
        <translation>Die Gruppe „%1“ wurde inzwischen von einem anderen Programm zur Datei hinzugefügt.</translation>
    </message>
    <message>
        <source>Added group %1</source>
        <translation>Gruppe %1 hinzugefügt</translation>
    </message>
    <message>
        <source>The user name &quot;%1&quot; cannot be added to a group: %2. A member name may not contain blanks, tabs or line breaks.</source>
        <translation>Der Benutzername „%1“ kann keiner Gruppe hinzugefügt werden: %2. Ein Mitgliedsname darf keine Leerzeichen, Tabulatoren oder Zeilenumbrüche enthalten.</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; was not added</source>
        <translation>Der Benutzer „%1“ wurde nicht hinzugefügt</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is no longer in the file: another program removed it. &quot;%2&quot; was not added.</source>
        <translation>Die Gruppe „%1“ ist nicht mehr in der Datei: Ein anderes Programm hat sie entfernt. „%2“ wurde nicht hinzugefügt.</translation>
    </message>
    <message>
        <source>Added %1 to %2</source>
        <translation>%1 zu %2 hinzugefügt</translation>
    </message>
    <message>
        <source>Nothing was deleted</source>
        <translation>Es wurde nichts gelöscht</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected groups and members?</source>
        <translation>Möchten Sie die ausgewählten Gruppen und Mitglieder wirklich löschen?</translation>
    </message>
    <message>
        <source>The chosen groups and members are no longer in the file: another program removed them.</source>
        <translation>Die ausgewählten Gruppen und Mitglieder sind nicht mehr in der Datei: Ein anderes Programm hat sie entfernt.</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; could not be written (%2). The groups keep your change; the next successful save writes it.</source>
        <translation>Die Gruppendatei „%1“ konnte nicht geschrieben werden (%2). Die Gruppen behalten Ihre Änderung; das nächste erfolgreiche Speichern schreibt sie.</translation>
    </message>
    <message>
        <source>The address %1 is not on this computer, so it was not requested.</source>
        <translation>Die Adresse %1 liegt nicht auf diesem Rechner und wurde daher nicht abgefragt.</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not an http:// or https:// address of this computer, so it was not requested.</source>
        <translation>Die Adresse „%1“ ist keine http://- oder https://-Adresse dieses Rechners und wurde daher nicht abgefragt.</translation>
    </message>
    <message>
        <source>The web server does not answer on %1.</source>
        <translation>Der Webserver antwortet nicht unter %1.</translation>
    </message>
    <message>
        <source>The server answers %1 for %2.</source>
        <translation>Der Server antwortet mit %1 für %2.</translation>
    </message>
    <message>
        <source>the folder %1 is missing</source>
        <translation>der Ordner %1 fehlt</translation>
    </message>
    <message>
        <source>the folder %1 cannot be entered by %2</source>
        <translation>der Ordner %1 kann von %2 nicht betreten werden</translation>
    </message>
    <message>
        <source>the file is missing</source>
        <translation>die Datei fehlt</translation>
    </message>
    <message>
        <source>the file cannot be read by %1</source>
        <translation>die Datei kann von %1 nicht gelesen werden</translation>
    </message>
    <message>
        <source>Created the empty file %1.</source>
        <translation>Die leere Datei %1 wurde angelegt.</translation>
    </message>
    <message>
        <source>Create the empty file %1.</source>
        <translation>Die leere Datei %1 anlegen.</translation>
    </message>
    <message>
        <source>Added to %1:</source>
        <translation>Zu %1 hinzugefügt:</translation>
    </message>
    <message>
        <source>Added to %1 (a new file):</source>
        <translation>Zu %1 hinzugefügt (eine neue Datei):</translation>
    </message>
    <message>
        <source>Add to %1:</source>
        <translation>Zu %1 hinzufügen:</translation>
    </message>
    <message>
        <source>Add to %1 (a new file):</source>
        <translation>Zu %1 hinzufügen (eine neue Datei):</translation>
    </message>
    <message>
        <source>Enabled %1 with %2.</source>
        <translation>%1 wurde mit %2 aktiviert.</translation>
    </message>
    <message>
        <source>Enable %1 with %2.</source>
        <translation>%1 mit %2 aktivieren.</translation>
    </message>
    <message>
        <source>Added to the end of %1:</source>
        <translation>Am Ende von %1 hinzugefügt:</translation>
    </message>
    <message>
        <source>Add to the end of %1:</source>
        <translation>Am Ende von %1 hinzufügen:</translation>
    </message>
    <message>
        <source>%1 was not changed.</source>
        <translation>%1 wurde nicht verändert.</translation>
    </message>
    <message>
        <source>%1 stays as it is.</source>
        <translation>%1 bleibt, wie es ist.</translation>
    </message>
    <message>
        <source>the directory %1 cannot stand in a section header: %2</source>
        <translation>das Verzeichnis %1 kann nicht in einem Abschnittskopf stehen: %2</translation>
    </message>
    <message>
        <source>the web server&apos;s configuration file %1 could not be read</source>
        <translation>die Konfigurationsdatei %1 des Webservers konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>no directory is known to allow access files in (the configuration names no DocumentRoot)</source>
        <translation>es ist kein Verzeichnis bekannt, in dem Zugriffsdateien erlaubt werden könnten (die Konfiguration nennt kein DocumentRoot)</translation>
    </message>
    <message>
        <source>Keepgate&apos;s own file %1 could not be read</source>
        <translation>Keepgates eigene Datei %1 konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>no shared configuration file is set in the preferences</source>
        <translation>in den Einstellungen ist keine gemeinsame Konfigurationsdatei festgelegt</translation>
    </message>
    <message>
        <source>the shared configuration file %1 cannot be used: %2</source>
        <translation>die gemeinsame Konfigurationsdatei %1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>%1 Apache would not start with it; Keepgate checked only what came before.</source>
        <translation>%1 Apache würde damit nicht starten; Keepgate hat nur geprüft, was davor kam.</translation>
    </message>
    <message>
        <source>%1 Keepgate checked the rest of the configuration without it.</source>
        <translation>%1 Keepgate hat den Rest der Konfiguration ohne dies geprüft.</translation>
    </message>
    <message>
        <source>Apache&apos;s default</source>
        <translation>Voreinstellung von Apache</translation>
    </message>
    <message>
        <source>%1 line %2</source>
        <translation>%1, Zeile %2</translation>
    </message>
    <message>
        <source>The web server ignores the protection in %1 because &quot;AllowOverride %2&quot; (%3) leaves out %4; Keepgate can allow AuthConfig and Limit for this directory alone, in a section of its own in %5.</source>
        <translation>Der Webserver ignoriert den Schutz in %1, weil „AllowOverride %2“ (%3) %4 auslässt; Keepgate kann AuthConfig und Limit nur für dieses Verzeichnis erlauben, in einem eigenen Abschnitt in %5.</translation>
    </message>
    <message>
        <source>The main configuration %1 does not include %2, so the protection written there is ignored; Keepgate can add the Include line.</source>
        <translation>Die Hauptkonfiguration %1 bindet %2 nicht ein, daher wird der dort geschriebene Schutz ignoriert; Keepgate kann die Include-Zeile hinzufügen.</translation>
    </message>
    <message>
        <source>with a LoadModule line</source>
        <translation>mit einer LoadModule-Zeile</translation>
    </message>
    <message>
        <source>with a2enmod</source>
        <translation>mit a2enmod</translation>
    </message>
    <message>
        <source>The module %1 that the protection needs is not loaded, so the server answers with an error instead of asking for a password; Keepgate can enable it %2.</source>
        <translation>Das Modul %1, das der Schutz braucht, ist nicht geladen, daher antwortet der Server mit einem Fehler, statt nach einem Passwort zu fragen; Keepgate kann es %2 aktivieren.</translation>
    </message>
    <message>
        <source>user file</source>
        <translation>Benutzerdatei</translation>
    </message>
    <message>
        <source>group file</source>
        <translation>Gruppendatei</translation>
    </message>
    <message>
        <source>The %1 %2 does not exist, so nobody can log in; choose or create it in Keepgate.</source>
        <translation>Die %1 %2 existiert nicht, daher kann sich niemand anmelden; wählen oder erstellen Sie sie in Keepgate.</translation>
    </message>
    <message>
        <source>The web server&apos;s user %1 cannot read the %2 %3 (%4), so nobody can log in; Keepgate cannot change this, give %1 read access to it.</source>
        <translation>Der Benutzer %1 des Webservers kann die %2 %3 nicht lesen (%4), daher kann sich niemand anmelden; Keepgate kann das nicht ändern – geben Sie %1 Lesezugriff darauf.</translation>
    </message>
    <message>
        <source>The user file %1 lies inside %2, which the web server publishes, so anyone can download its password hashes; choose a user file outside it.</source>
        <translation>Die Benutzerdatei %1 liegt in %2, das der Webserver veröffentlicht, daher kann jeder ihre Passwort-Hashes herunterladen; wählen Sie eine Benutzerdatei außerhalb davon.</translation>
    </message>
    <message>
        <source>it holds NUL bytes: it is a binary file, not a group file</source>
        <translation>sie enthält NUL-Bytes: Sie ist eine Binärdatei, keine Gruppendatei</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keines</translation>
    </message>
    <message>
        <source>plain text (weak)</source>
        <translation>Klartext (schwach)</translation>
    </message>
    <message>
        <source>Hashing tool&apos;s default (apr1)</source>
        <translation>Voreinstellung des Hash-Werkzeugs (apr1)</translation>
    </message>
    <message>
        <source>bcrypt (recommended)</source>
        <translation>bcrypt (empfohlen)</translation>
    </message>
    <message>
        <source>it contains a line break</source>
        <translation>er enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>it contains the character %1</source>
        <translation>er enthält das Zeichen %1</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>sie ist zu groß</translation>
    </message>
    <message>
        <source>it holds NUL bytes: it is a binary file, not a user file</source>
        <translation>sie enthält NUL-Bytes: Sie ist eine Binärdatei, keine Benutzerdatei</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes, more than the web server reads</source>
        <translation>Zeile %1 ist länger als %2 Bytes, mehr als der Webserver liest</translation>
    </message>
    <message>
        <source>line %1 holds no colon, so it is not a &quot;name:hash&quot; user line</source>
        <translation>Zeile %1 enthält keinen Doppelpunkt und ist daher keine Benutzerzeile „Name:Hash“</translation>
    </message>
    <message>
        <source>it is an htdigest file (user:realm:hash), which the basic authentication of the web server does not read</source>
        <translation>sie ist eine htdigest-Datei (Benutzer:Bereich:Hash), die die Basic-Authentifizierung des Webservers nicht liest</translation>
    </message>
    <message>
        <source>a NUL byte</source>
        <translation>ein NUL-Byte</translation>
    </message>
    <message>
        <source>a tab</source>
        <translation>einen Tabulator</translation>
    </message>
    <message>
        <source>a line break</source>
        <translation>einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>a vertical tab (0x0B)</source>
        <translation>einen vertikalen Tabulator (0x0B)</translation>
    </message>
    <message>
        <source>a form feed (0x0C)</source>
        <translation>einen Seitenvorschub (0x0C)</translation>
    </message>
    <message>
        <source>an escape character (0x1B)</source>
        <translation>ein Escape-Zeichen (0x1B)</translation>
    </message>
    <message>
        <source>a delete character (0x7F)</source>
        <translation>ein Löschzeichen (0x7F)</translation>
    </message>
    <message>
        <source>a control character (%1)</source>
        <translation>ein Steuerzeichen (%1)</translation>
    </message>
    <message>
        <source>it contains %1</source>
        <translation>er enthält %1</translation>
    </message>
    <message>
        <source>it contains &quot;${&quot;, which Apache expands as a variable</source>
        <translation>er enthält „${“, das Apache als Variable auflöst</translation>
    </message>
    <message>
        <source>it ends with a backslash, which Apache reads as a line continuation</source>
        <translation>er endet mit einem Backslash, den Apache als Zeilenfortsetzung liest</translation>
    </message>
    <message>
        <source>it contains a backslash before a quote, which Apache reads as an escaped quote</source>
        <translation>er enthält einen Backslash vor einem Anführungszeichen, was Apache als maskiertes Anführungszeichen liest</translation>
    </message>
    <message>
        <source>it would make a line longer than Apache&apos;s limit of %1 bytes</source>
        <translation>er würde eine Zeile länger machen als Apaches Grenze von %1 Bytes</translation>
    </message>
    <message>
        <source>it contains a double quote</source>
        <translation>er enthält ein doppeltes Anführungszeichen</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>er ist leer</translation>
    </message>
    <message>
        <source>it contains a blank</source>
        <translation>er enthält ein Leerzeichen</translation>
    </message>
    <message>
        <source>it contains a colon</source>
        <translation>er enthält einen Doppelpunkt</translation>
    </message>
    <message>
        <source>it contains &quot;%1&quot;, which Apache reads as an expression</source>
        <translation>er enthält „%1“, das Apache als Ausdruck liest</translation>
    </message>
    <message>
        <source>&quot;%1&quot; before the slash is not a complete IP address</source>
        <translation>„%1“ vor dem Schrägstrich ist keine vollständige IP-Adresse</translation>
    </message>
    <message>
        <source>the prefix length /%1 is out of range (/0 to /%2)</source>
        <translation>die Präfixlänge /%1 liegt außerhalb des Bereichs (/0 bis /%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; after the slash is neither a prefix length nor a network mask</source>
        <translation>„%1“ nach dem Schrägstrich ist weder eine Präfixlänge noch eine Netzmaske</translation>
    </message>
    <message>
        <source>it contains a blank; one rule names one host</source>
        <translation>er enthält ein Leerzeichen; eine Regel nennt einen Host</translation>
    </message>
    <message>
        <source>it contains &quot;#&quot;</source>
        <translation>er enthält „#“</translation>
    </message>
    <message>
        <source>&quot;all&quot; is the &quot;deny all others&quot; switch, not a host</source>
        <translation>„all“ ist der Schalter „Alle anderen Hosts abweisen“, kein Host</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IPv6 address</source>
        <translation>„%1“ ist keine IPv6-Adresse</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address (each part runs from 0 to 255)</source>
        <translation>„%1“ ist keine IP-Adresse (jeder Teil reicht von 0 bis 255)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address, a network or a host name</source>
        <translation>„%1“ ist weder eine IP-Adresse noch ein Netz noch ein Hostname</translation>
    </message>
    <message>
        <source>it contains a slash; it must be a plain file name</source>
        <translation>er enthält einen Schrägstrich; er muss ein einfacher Dateiname sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names a directory, not a file</source>
        <translation>„%1“ bezeichnet ein Verzeichnis, keine Datei</translation>
    </message>
    <message>
        <source>the line is %1 bytes long, longer than Apache&apos;s limit of %2 bytes</source>
        <translation>die Zeile ist %1 Bytes lang, länger als Apaches Grenze von %2 Bytes</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>another program kept changing it for %1 seconds</source>
        <translation>ein anderes Programm hat sie %1 Sekunden lang ständig geändert</translation>
    </message>
    <message>
        <source>it cannot be read: %1</source>
        <translation>sie kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation>es wurde kein Dateiname angegeben</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 is a directory</source>
        <translation>%1 ist ein Verzeichnis</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>cannot create a temporary file in %1</source>
        <translation>in %1 kann keine temporäre Datei angelegt werden</translation>
    </message>
    <message>
        <source>cannot set the permissions of %1</source>
        <translation>die Zugriffsrechte von %1 können nicht gesetzt werden</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot flush %1</source>
        <translation>%1 kann nicht auf die Festplatte gebracht werden</translation>
    </message>
    <message>
        <source>cannot close %1</source>
        <translation>%1 kann nicht geschlossen werden</translation>
    </message>
    <message>
        <source>%1 was changed by another program while it was being saved</source>
        <translation>%1 wurde während des Speicherns von einem anderen Programm geändert</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>%1 kann nicht ersetzt werden</translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation>%1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>%1 is a directory, not a file</source>
        <translation>%1 ist ein Verzeichnis, keine Datei</translation>
    </message>
    <message>
        <source>The configuration file %1 is included more than %2 levels deep, more than Apache allows.</source>
        <translation>Die Konfigurationsdatei %1 ist mehr als %2 Ebenen tief eingebunden, mehr als Apache erlaubt.</translation>
    </message>
    <message>
        <source>The configuration includes more than %1 files; Keepgate stopped reading at %2.</source>
        <translation>Die Konfiguration bindet mehr als %1 Dateien ein; Keepgate hat das Lesen bei %2 beendet.</translation>
    </message>
    <message>
        <source>The configuration is larger than %1 MiB in all; Keepgate stopped reading at %2.</source>
        <translation>Die Konfiguration ist insgesamt größer als %1 MiB; Keepgate hat das Lesen bei %2 beendet.</translation>
    </message>
    <message>
        <source>The configuration file %1 could not be read.</source>
        <translation>Die Konfigurationsdatei %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The configuration file %1 holds NUL bytes: it is not a text file.</source>
        <translation>Die Konfigurationsdatei %1 enthält NUL-Bytes: Sie ist keine Textdatei.</translation>
    </message>
    <message>
        <source>The configuration file %1 includes itself.</source>
        <translation>Die Konfigurationsdatei %1 bindet sich selbst ein.</translation>
    </message>
    <message>
        <source>No file matches the included pattern %1.</source>
        <translation>Keine Datei passt auf das eingebundene Muster %1.</translation>
    </message>
    <message>
        <source>The configuration folder %1 is included more than %2 levels deep, more than Apache allows.</source>
        <translation>Der Konfigurationsordner %1 ist mehr als %2 Ebenen tief eingebunden, mehr als Apache erlaubt.</translation>
    </message>
    <message>
        <source>the administrator&apos;s rights could not be asked for</source>
        <translation>die Administratorrechte konnten nicht angefordert werden</translation>
    </message>
    <message>
        <source>the administrator&apos;s authorization was refused or could not be asked for</source>
        <translation>die Bestätigung als Administrator wurde verweigert oder konnte nicht angefordert werden</translation>
    </message>
    <message>
        <source>the command with administrator rights failed</source>
        <translation>der Befehl mit Administratorrechten ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>the command with administrator rights failed: %1</source>
        <translation>der Befehl mit Administratorrechten ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>no private folder could be made in %1 (%2)</source>
        <translation>in %1 konnte kein privater Ordner angelegt werden (%2)</translation>
    </message>
    <message>
        <source>%1 could not be created (%2)</source>
        <translation>%1 konnte nicht angelegt werden (%2)</translation>
    </message>
    <message>
        <source>%1 could not be written (%2)</source>
        <translation>%1 konnte nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>the file to copy, %1, could not be read</source>
        <translation>die zu kopierende Datei %1 konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>the installed file differs from the one Keepgate wrote</source>
        <translation>die installierte Datei weicht von der ab, die Keepgate geschrieben hat</translation>
    </message>
    <message>
        <source>%1, and the previous file could not be put back</source>
        <translation>%1, und die vorherige Datei konnte nicht zurückgelegt werden</translation>
    </message>
    <message>
        <source>The server&apos;s Listen lines name no address this computer can reach.</source>
        <translation>Die Listen-Zeilen des Servers nennen keine Adresse, die dieser Rechner erreichen kann.</translation>
    </message>
    <message>
        <source>The server&apos;s configuration names no DocumentRoot, Alias or UserDir, so no address is known.</source>
        <translation>Die Konfiguration des Servers nennt kein DocumentRoot, Alias oder UserDir, daher ist keine Adresse bekannt.</translation>
    </message>
    <message>
        <source>The server publishes no address for %1: it lies outside the document root %2 and every Alias and UserDir folder of every site.</source>
        <translation>Der Server veröffentlicht keine Adresse für %1: Es liegt außerhalb des Dokumentverzeichnisses %2 und aller Alias- und UserDir-Ordner aller Sites.</translation>
    </message>
    <message>
        <source>The server publishes no address for %1: it lies outside the document root and every Alias and UserDir folder of every site.</source>
        <translation>Der Server veröffentlicht keine Adresse für %1: Es liegt außerhalb des Dokumentverzeichnisses und aller Alias- und UserDir-Ordner aller Sites.</translation>
    </message>
    <message>
        <source>%1 could not be run</source>
        <translation>%1 konnte nicht ausgeführt werden</translation>
    </message>
    <message>
        <source>%1 did not finish its configuration test in time</source>
        <translation>%1 hat seinen Konfigurationstest nicht rechtzeitig beendet</translation>
    </message>
    <message>
        <source>%1 printed more than %2 MiB during its configuration test and was stopped</source>
        <translation>%1 hat während seines Konfigurationstests mehr als %2 MiB ausgegeben und wurde angehalten</translation>
    </message>
    <message>
        <source>the amended configuration could not be staged: %1</source>
        <translation>die ergänzte Konfiguration konnte nicht bereitgestellt werden: %1</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the amended configuration</source>
        <translation>der eigene Konfigurationstest des Webservers hat die ergänzte Konfiguration abgelehnt</translation>
    </message>
    <message>
        <source>no backup of it could be made in %1 (%2)</source>
        <translation>in %1 konnte keine Sicherung davon angelegt werden (%2)</translation>
    </message>
    <message>
        <source>Keepgate knows no control program for this web server; reload it yourself.</source>
        <translation>Keepgate kennt kein Steuerprogramm für diesen Webserver; laden Sie ihn selbst neu.</translation>
    </message>
    <message>
        <source>The web server was not reloaded.</source>
        <translation>Der Webserver wurde nicht neu geladen.</translation>
    </message>
    <message>
        <source>The web server was not reloaded: %1</source>
        <translation>Der Webserver wurde nicht neu geladen: %1</translation>
    </message>
    <message>
        <source>The web server was told to reload.</source>
        <translation>Der Webserver wurde angewiesen, neu zu laden.</translation>
    </message>
    <message>
        <source>The web server was reloaded and is running.</source>
        <translation>Der Webserver wurde neu geladen und läuft.</translation>
    </message>
    <message>
        <source>The web server did not come back after the reload; see its error log.</source>
        <translation>Der Webserver kam nach dem Neuladen nicht wieder; sehen Sie in sein Fehlerprotokoll.</translation>
    </message>
    <message>
        <source>enabling the module %1 failed</source>
        <translation>das Aktivieren des Moduls %1 ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>enabling the module %1 failed: %2</source>
        <translation>das Aktivieren des Moduls %1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>the module file mod_%1.so is not in the server&apos;s modules folder</source>
        <translation>die Moduldatei mod_%1.so ist nicht im Modulordner des Servers</translation>
    </message>
    <message>
        <source>the module file mod_%1.so is not in the server&apos;s modules folder %2</source>
        <translation>die Moduldatei mod_%1.so ist nicht im Modulordner %2 des Servers</translation>
    </message>
    <message>
        <source>%1 is a link that cannot be read</source>
        <translation>%1 ist ein Link, der nicht gelesen werden kann</translation>
    </message>
    <message>
        <source>%1 is a chain of links without end</source>
        <translation>%1 ist eine endlose Kette von Links</translation>
    </message>
    <message>
        <source>%1 is a link to %2, which is not a regular file</source>
        <translation>%1 ist ein Link auf %2, das keine gewöhnliche Datei ist</translation>
    </message>
    <message>
        <source>%1 is a link to %2, which its owner does not own</source>
        <translation>%1 ist ein Link auf %2, das seinem Besitzer nicht gehört</translation>
    </message>
    <message>
        <source>%1 is not an absolute path</source>
        <translation>%1 ist kein absoluter Pfad</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>%1 is not owned by root</source>
        <translation>%1 gehört nicht root</translation>
    </message>
    <message>
        <source>%1 may be written by users other than root</source>
        <translation>%1 darf von anderen Benutzern als root beschrieben werden</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Fehler!</translation>
    </message>
    <message>
        <source>The server serves this folder to everyone.</source>
        <translation>Der Server liefert diesen Ordner an alle aus.</translation>
    </message>
    <message>
        <source>Not protected: the server serves this folder to everyone.</source>
        <translation>Nicht geschützt: Der Server liefert diesen Ordner an alle aus.</translation>
    </message>
    <message>
        <source>The fix needs administrator rights for %1: run as root, or add --sudo.</source>
        <translation>Die Behebung braucht Administratorrechte für %1: Führen Sie sie als root aus oder fügen Sie --sudo hinzu.</translation>
    </message>
    <message>
        <source>Keepgate cannot fix this: %1</source>
        <translation>Keepgate kann das nicht beheben: %1</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change once it was in place, so Keepgate put back what it had changed</source>
        <translation>der eigene Konfigurationstest des Webservers hat die Änderung abgelehnt, als sie an ihrem Platz war, daher hat Keepgate zurückgestellt, was es geändert hatte</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change once it was in place, and Keepgate could not put back everything</source>
        <translation>der eigene Konfigurationstest des Webservers hat die Änderung abgelehnt, als sie an ihrem Platz war, und Keepgate konnte nicht alles zurückstellen</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change once it was in place, so Keepgate put back what it had changed; the previous main configuration is kept as %1</source>
        <translation>der eigene Konfigurationstest des Webservers hat die Änderung abgelehnt, als sie an ihrem Platz war, daher hat Keepgate zurückgestellt, was es geändert hatte; die bisherige Hauptkonfiguration ist als %1 aufbewahrt</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change once it was in place, and Keepgate could not put back everything; the previous main configuration is kept as %1</source>
        <translation>der eigene Konfigurationstest des Webservers hat die Änderung abgelehnt, als sie an ihrem Platz war, und Keepgate konnte nicht alles zurückstellen; die bisherige Hauptkonfiguration ist als %1 aufbewahrt</translation>
    </message>
    <message>
        <source>Allowed access files for %1</source>
        <translation>Zugriffsdateien für %1 erlaubt</translation>
    </message>
    <message>
        <source>Made the web server read %1</source>
        <translation>Webserver liest nun %1</translation>
    </message>
    <message>
        <source>Put back %1 after the server&apos;s test failed</source>
        <translation>%1 nach fehlgeschlagenem Servertest zurückgestellt</translation>
    </message>
    <message>
        <source>Enabled the module %1</source>
        <translation>Modul %1 aktiviert</translation>
    </message>
    <message>
        <source>%1 Its protection, if any, is not shown.</source>
        <translation>%1 Sein Schutz, falls vorhanden, wird nicht angezeigt.</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
    <message>
        <source>1 user who may enter has a password stored as plain text: %1. Change the password in the Users tab.</source>
        <translation>1 Benutzer, der eingelassen wird, hat ein im Klartext gespeichertes Passwort: %1. Ändern Sie das Passwort im Reiter „Benutzer“.</translation>
    </message>
    <message>
        <source>%1 users who may enter have a password stored as plain text: %2. Change their passwords in the Users tab.</source>
        <translation>%1 Benutzer, die eingelassen werden, haben ein im Klartext gespeichertes Passwort: %2. Ändern Sie ihre Passwörter im Reiter „Benutzer“.</translation>
    </message>
    <message>
        <source>Saved protection of %1</source>
        <translation>Schutz von %1 gespeichert</translation>
    </message>
    <message>
        <source>Removed protection of %1</source>
        <translation>Schutz von %1 entfernt</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>sie existiert nicht</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be a group file: %2.</source>
        <translation>Die Datei „%1“ kann keine Gruppendatei sein: %2.</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is already in %2.</source>
        <translation>Die Gruppe „%1“ ist bereits in %2.</translation>
    </message>
    <message>
        <source>Added the group %1</source>
        <translation>Gruppe %1 hinzugefügt</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is not in %2; nothing to delete.</source>
        <translation>Die Gruppe „%1“ ist nicht in %2; es gibt nichts zu löschen.</translation>
    </message>
    <message>
        <source>Deleted the group %1</source>
        <translation>Gruppe %1 gelöscht</translation>
    </message>
    <message>
        <source>member name</source>
        <translation>den Mitgliedsnamen</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; is read-only here (%2).</source>
        <translation>Die Gruppendatei „%1“ ist hier schreibgeschützt (%2).</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; kept being changed by another program while Keepgate saved it. Your change was not written; try again.</source>
        <translation>Die Gruppendatei „%1“ wurde immer wieder von einem anderen Programm geändert, während Keepgate sie speicherte. Ihre Änderung wurde nicht geschrieben; versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The file %1 could not be read.</source>
        <translation>Die Datei %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; cannot be read: %2. Nothing was saved.</source>
        <translation>Die Benutzerdatei „%1“ kann nicht gelesen werden: %2. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is not in the user file %2. Nothing was saved.</source>
        <translation>Der Benutzer „%1“ ist nicht in der Benutzerdatei %2. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; cannot be read. Nothing was saved.</source>
        <translation>Die Gruppendatei „%1“ kann nicht gelesen werden. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is not in the group file %2. Nothing was saved.</source>
        <translation>Die Gruppe „%1“ ist nicht in der Gruppendatei %2. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; does not exist. Nothing was saved.</source>
        <translation>Das Verzeichnis „%1“ existiert nicht. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The access file %1 is a folder, so nothing was saved.</source>
        <translation>Die Zugriffsdatei %1 ist ein Ordner, daher wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The file %1 is a folder, so it was left as it is.</source>
        <translation>Die Datei %1 ist ein Ordner und bleibt daher, wie sie ist.</translation>
    </message>
    <message>
        <source>No protection is saved for %1 in %2.</source>
        <translation>Für %1 ist in %2 kein Schutz gespeichert.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is read-only here: %2. Nothing was changed.</source>
        <translation>Die Datei „%1“ ist hier schreibgeschützt: %2. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>No password was generated: the system gave no random bytes.</source>
        <translation>Es wurde kein Passwort erzeugt: Das System lieferte keine Zufallsbytes.</translation>
    </message>
    <message>
        <source>Generated Password</source>
        <translation>Erzeugtes Passwort</translation>
    </message>
    <message>
        <source>The password field now holds this password; it is shown only now:

%1</source>
        <translation>Das Passwortfeld enthält nun dieses Passwort; es wird nur jetzt angezeigt:

%1</translation>
    </message>
    <message>
        <source>The cost is a whole number from %1 to %2.</source>
        <translation>Die Kosten sind eine ganze Zahl von %1 bis %2.</translation>
    </message>
    <message>
        <source>Measuring one check at cost %1…</source>
        <translation>Eine Prüfung mit Kosten %1 wird gemessen…</translation>
    </message>
    <message>
        <source>One check: %1 ms — every request to a protected page pays it.</source>
        <translation>Eine Prüfung: %1 ms – jeder Abruf einer geschützten Seite kostet so viel.</translation>
    </message>
    <message>
        <source>One check could not be measured: htpasswd gave no answer.</source>
        <translation>Eine Prüfung konnte nicht gemessen werden: htpasswd gab keine Antwort.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is read-only here: %2. Keepgate will not write to it.</source>
        <translation>Die Datei „%1“ ist hier schreibgeschützt: %2. Keepgate schreibt nicht in sie.</translation>
    </message>
    <message>
        <source>The password of &quot;%1&quot; is empty: without a password anyone who knows the name would be let in. Nothing was saved.</source>
        <translation>Das Passwort von „%1“ ist leer: Ohne Passwort käme jeder hinein, der den Namen kennt. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The password contains a NUL character, which htpasswd would silently cut off there. Nothing was saved.</source>
        <translation>Das Passwort enthält ein NUL-Zeichen, an dem htpasswd es stillschweigend abschneiden würde. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The password could not be hashed with &quot;%1&quot;. Nothing was saved.</source>
        <translation>Das Passwort konnte nicht mit „%1“ gehasht werden. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is already in %2 with this password.</source>
        <translation>Der Benutzer „%1“ ist bereits mit diesem Passwort in %2.</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is not in %2.</source>
        <translation>Der Benutzer „%1“ ist nicht in %2.</translation>
    </message>
    <message>
        <source>The chosen users are not in %1 as they were chosen.</source>
        <translation>Die ausgewählten Benutzer sind nicht mehr so in %1, wie sie ausgewählt wurden.</translation>
    </message>
    <message>
        <source>%1 (weak)</source>
        <translation>%1 (schwach)</translation>
    </message>
    <message>
        <source>plain text</source>
        <translation>Klartext</translation>
    </message>
    <message>
        <source>no password</source>
        <translation>kein Passwort</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 user has a weak password: %2</source>
        <translation>%1 Benutzer hat ein schwaches Passwort: %2</translation>
    </message>
    <message>
        <source>%1 users have weak passwords: %2</source>
        <translation>%1 Benutzer haben schwache Passwörter: %2</translation>
    </message>
    <message>
        <source>No history is being kept: the folder %1 cannot be written. </source>
        <translation>Es wird kein Verlauf geführt: In den Ordner %1 kann nicht geschrieben werden. </translation>
    </message>
    <message>
        <source>1 entry is damaged and shown as such; Keepgate never restores them.</source>
        <translation>1 Eintrag ist beschädigt und wird als solcher angezeigt; Keepgate stellt beschädigte Einträge nie wieder her.</translation>
    </message>
    <message>
        <source>%1 entries are damaged and shown as such; Keepgate never restores them.</source>
        <translation>%1 Einträge sind beschädigt und werden als solche angezeigt; Keepgate stellt sie nie wieder her.</translation>
    </message>
    <message>
        <source>%1%2</source>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>This entry is damaged (%1); Keepgate will not restore it.</source>
        <translation>Dieser Eintrag ist beschädigt (%1); Keepgate stellt ihn nicht wieder her.</translation>
    </message>
    <message>
        <source>%1 could not be read before this change, so the history holds no bytes to put back.</source>
        <translation>%1 konnte vor dieser Änderung nicht gelesen werden, daher enthält der Verlauf nichts zum Zurückstellen.</translation>
    </message>
    <message>
        <source>This entry is gone or damaged; Keepgate will not restore it.</source>
        <translation>Dieser Eintrag ist verschwunden oder beschädigt; Keepgate stellt ihn nicht wieder her.</translation>
    </message>
    <message>
        <source>No difference.</source>
        <translation>Kein Unterschied.</translation>
    </message>
    <message>
        <source>What this change wrote is no longer on disk; the difference to what %1 holds now:

%2</source>
        <translation>Was diese Änderung geschrieben hat, ist nicht mehr auf der Festplatte; der Unterschied zum jetzigen Inhalt von %1:

%2</translation>
    </message>
    <message>
        <source>That change is no longer in the history, so nothing was restored.</source>
        <translation>Diese Änderung ist nicht mehr im Verlauf, daher wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <source>The change %1 cannot be restored: %2. Nothing was changed.</source>
        <translation>Die Änderung %1 kann nicht wiederhergestellt werden: %2. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>%1 could not be read before %2, so Keepgate has no bytes to put back. Nothing was changed.</source>
        <translation>%1 konnte vor %2 nicht gelesen werden, daher hat Keepgate nichts zum Zurückstellen. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>%1 cannot be read now, so Keepgate cannot tell what a restore would replace. Nothing was changed.</source>
        <translation>%1 kann jetzt nicht gelesen werden, daher kann Keepgate nicht feststellen, was eine Wiederherstellung ersetzen würde. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>%1 already holds what it held before %2; nothing was changed</source>
        <translation>%1 enthält bereits, was es vor %2 enthielt; es wurde nichts geändert</translation>
    </message>
    <message>
        <source>Changed Since</source>
        <translation>Seitdem geändert</translation>
    </message>
    <message>
        <source>%1 was changed by another program after Keepgate wrote it (%2). Restoring it replaces what it holds now:

%3</source>
        <translation>%1 wurde von einem anderen Programm geändert, nachdem Keepgate es geschrieben hatte (%2). Die Wiederherstellung ersetzt den jetzigen Inhalt:

%3</translation>
    </message>
    <message>
        <source>Restore Anyway</source>
        <translation>Trotzdem wiederherstellen</translation>
    </message>
    <message>
        <source>Restored %1 as before %2</source>
        <translation>%1 wie vor %2 wiederhergestellt</translation>
    </message>
    <message>
        <source>Keepgate does not remove the web server&apos;s main configuration %1. Nothing was changed.</source>
        <translation>Keepgate entfernt die Hauptkonfiguration %1 des Webservers nicht. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Keepgate did not restore %1: %2. %3</source>
        <translation>Keepgate hat %1 nicht wiederhergestellt: %2. %3</translation>
    </message>
    <message>
        <source>The file was not changed.</source>
        <translation>Die Datei wurde nicht verändert.</translation>
    </message>
    <message>
        <source>Compare it with its backup %1.</source>
        <translation>Vergleichen Sie sie mit ihrer Sicherung %1.</translation>
    </message>
    <message>
        <source>%1.</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1 (emptied: with administrator rights Keepgate replaces files but never deletes them)</source>
        <translation>%1 (geleert: Mit Administratorrechten ersetzt Keepgate Dateien, löscht sie aber nie)</translation>
    </message>
    <message>
        <source>Keepgate could not restore %1: %2.</source>
        <translation>Keepgate konnte %1 nicht wiederherstellen: %2.</translation>
    </message>
    <message>
        <source>Put back %1 after the server refused %2</source>
        <translation>%1 zurückgestellt, nachdem der Server %2 abgelehnt hat</translation>
    </message>
    <message>
        <source>The web server&apos;s configuration test refused %1 as it was before %2, so %3

%4</source>
        <translation>Der Konfigurationstest des Webservers hat %1 im Zustand vor %2 abgelehnt, daher: %3

%4</translation>
    </message>
    <message>
        <source>Keepgate could not put back what it held: %1.</source>
        <translation>Keepgate konnte den vorherigen Inhalt nicht zurückstellen: %1.</translation>
    </message>
    <message>
        <source>Keepgate put back what it held.</source>
        <translation>Keepgate hat den vorherigen Inhalt zurückgestellt.</translation>
    </message>
    <message>
        <source>Keepgate could not remove %1 to restore it: %2.</source>
        <translation>Keepgate konnte %1 zum Wiederherstellen nicht entfernen: %2.</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>%1 rückgängig machen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Damaged entry: %1</source>
        <translation>Beschädigter Eintrag: %1</translation>
    </message>
    <message>
        <source>the entry cannot be read</source>
        <translation>der Eintrag kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the entry is not a Keepgate history entry or is cut short</source>
        <translation>der Eintrag ist kein Verlaufseintrag von Keepgate oder ist abgeschnitten</translation>
    </message>
    <message>
        <source>the entry is cut short</source>
        <translation>der Eintrag ist abgeschnitten</translation>
    </message>
    <message>
        <source>the entry&apos;s digest does not match what it holds</source>
        <translation>die Prüfsumme des Eintrags passt nicht zu seinem Inhalt</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>er ist kein Ordner</translation>
    </message>
    <message>
        <source>its mode cannot be set to 0700 (%1)</source>
        <translation>seine Rechte können nicht auf 0700 gesetzt werden (%1)</translation>
    </message>
    <message>
        <source>it cannot be written</source>
        <translation>in ihn kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Keepgate keeps no history of changes: the folder %1 cannot be used (%2).</source>
        <translation>Keepgate führt keinen Verlauf der Änderungen: Der Ordner %1 kann nicht verwendet werden (%2).</translation>
    </message>
    <message>
        <source>it is not an absolute path</source>
        <translation>er ist kein absoluter Pfad</translation>
    </message>
    <message>
        <source>Removed %1</source>
        <translation>%1 entfernt</translation>
    </message>
    <message>
        <source>Changed %1</source>
        <translation>%1 geändert</translation>
    </message>
    <message>
        <source>Created %1</source>
        <translation>%1 angelegt</translation>
    </message>
    <message>
        <source>The change &quot;%1&quot; is too large for the history, so it cannot be undone.</source>
        <translation>Die Änderung „%1“ ist zu groß für den Verlauf und kann daher nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Keepgate keeps no more history of changes: the folder %1 cannot be written (%2). &quot;%3&quot; was not recorded.</source>
        <translation>Keepgate führt keinen Verlauf der Änderungen mehr: In den Ordner %1 kann nicht geschrieben werden (%2). „%3“ wurde nicht aufgezeichnet.</translation>
    </message>
</context>
<context>
    <name>QtWindowSystem</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Choose a Directory</source>
        <translation>Verzeichnis auswählen</translation>
    </message>
    <message>
        <source>New File</source>
        <translation>Neue Datei</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::AboutDialog</name>
    <message>
        <source>About Keepgate</source>
        <translation>Über Keepgate</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Protects web directories of the Apache web server with user names and passwords: the user file, the group file and each directory&apos;s protection.</source>
        <translation>Schützt Webverzeichnisse des Apache-Webservers mit Benutzernamen und Passwörtern: die Benutzerdatei, die Gruppendatei und den Schutz jedes Verzeichnisses.</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
        <translation>Freie Software unter der GNU General Public License, Version 3 oder neuer. Sie wird ohne jede Gewährleistung geliefert.</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;Keepgate&apos;s home page&lt;/a&gt; · &lt;a href=&quot;%2&quot;&gt;The licence&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;%1&quot;&gt;Keepgates Homepage&lt;/a&gt; · &lt;a href=&quot;%2&quot;&gt;Die Lizenz&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Keepgate&apos;s icon</source>
        <translation>Keepgates Symbol</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::GeneratedPasswordDialog</name>
    <message>
        <source>Generated Password</source>
        <translation>Erzeugtes Passwort</translation>
    </message>
    <message>
        <source>The password field now holds this password. Keepgate keeps only its hash, so note the password now: it is not shown again.</source>
        <translation>Das Passwortfeld enthält nun dieses Passwort. Keepgate behält nur seinen Hash, notieren Sie das Passwort also jetzt: Es wird nicht wieder angezeigt.</translation>
    </message>
    <message>
        <source>Generated password</source>
        <translation>Erzeugtes Passwort</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the password to the clipboard</source>
        <translation>Das Passwort in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::HistoryWindow</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Changes, newest first</source>
        <translation>Änderungen, die neueste zuerst</translation>
    </message>
    <message>
        <source>Difference the selected change made</source>
        <translation>Unterschied, den die ausgewählte Änderung bewirkt hat</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Restore the file as it was before the selected change</source>
        <translation>Die Datei so wiederherstellen, wie sie vor der ausgewählten Änderung war</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the history</source>
        <translation>Den Verlauf schließen</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::MainWindow</name>
    <message>
        <source>Keepgate</source>
        <translation>Keepgate</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <source>Directory Protection</source>
        <translation>Verzeichnisschutz</translation>
    </message>
    <message>
        <source>No user file chosen</source>
        <translation>Keine Benutzerdatei ausgewählt</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen…</translation>
    </message>
    <message>
        <source>New…</source>
        <translation>Neu…</translation>
    </message>
    <message>
        <source>No user file open — Choose… or New…</source>
        <translation>Keine Benutzerdatei geöffnet – „Auswählen…“ oder „Neu…“</translation>
    </message>
    <message>
        <source>No group file chosen</source>
        <translation>Keine Gruppendatei ausgewählt</translation>
    </message>
    <message>
        <source>Group name</source>
        <translation>Gruppenname</translation>
    </message>
    <message>
        <source>Groups and their members</source>
        <translation>Gruppen und ihre Mitglieder</translation>
    </message>
    <message>
        <source>No directory chosen</source>
        <translation>Kein Verzeichnis ausgewählt</translation>
    </message>
    <message>
        <source>Shown when the browser asks for a password</source>
        <translation>Wird angezeigt, wenn der Browser nach einem Passwort fragt</translation>
    </message>
    <message>
        <source>Remove Protection</source>
        <translation>Schutz entfernen</translation>
    </message>
    <message>
        <source>The address the server publishes the directory under</source>
        <translation>Die Adresse, unter der der Server das Verzeichnis veröffentlicht</translation>
    </message>
    <message>
        <source>Use Apache 2.4 rules</source>
        <translation>Regeln von Apache 2.4 verwenden</translation>
    </message>
    <message>
        <source>Add Rule</source>
        <translation>Regel hinzufügen</translation>
    </message>
    <message>
        <source>Remove Rule</source>
        <translation>Regel entfernen</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Regel</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Hostname oder IP-Adresse</translation>
    </message>
    <message>
        <source>Hosts</source>
        <translation>Hosts</translation>
    </message>
    <message>
        <source>Protection status</source>
        <translation>Schutzstatus</translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation>Beheben…</translation>
    </message>
    <message>
        <source>Test Again</source>
        <translation>Erneut testen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>Öffnen…</translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Keepgate ReadMe</source>
        <translation>Keepgate-Lies-mich</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Aktualisierungen suchen…</translation>
    </message>
    <message>
        <source>Check Server…</source>
        <translation>Server prüfen…</translation>
    </message>
    <message>
        <source>About Keepgate</source>
        <translation>Über Keepgate</translation>
    </message>
    <message>
        <source>&amp;Add User</source>
        <translation>Benutzer hinzu&amp;fügen</translation>
    </message>
    <message>
        <source>&amp;Delete User</source>
        <translation>Benutzer &amp;löschen</translation>
    </message>
    <message>
        <source>Change Pass&amp;word…</source>
        <translation>Passw&amp;ort ändern…</translation>
    </message>
    <message>
        <source>Chec&amp;k Password…</source>
        <translation>Passwort p&amp;rüfen…</translation>
    </message>
    <message>
        <source>The users of the user file, each with the kind of hash of its password</source>
        <translation>Die Benutzer der Benutzerdatei, jeder mit der Art des Hashes seines Passworts</translation>
    </message>
    <message>
        <source>&amp;User file:</source>
        <translation>Ben&amp;utzerdatei:</translation>
    </message>
    <message>
        <source>User file</source>
        <translation>Benutzerdatei</translation>
    </message>
    <message>
        <source>User&amp;s:</source>
        <translation>Benut&amp;zer:</translation>
    </message>
    <message>
        <source>User &amp;name:</source>
        <translation>Benutzer&amp;name:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>A&amp;dd Group</source>
        <translation>Gruppe h&amp;inzufügen</translation>
    </message>
    <message>
        <source>Delete &amp;Selected</source>
        <translation>Auswahl &amp;löschen</translation>
    </message>
    <message>
        <source>The groups of the group file, each with its members</source>
        <translation>Die Gruppen der Gruppendatei, jede mit ihren Mitgliedern</translation>
    </message>
    <message>
        <source>&amp;Group file:</source>
        <translation>&amp;Gruppendatei:</translation>
    </message>
    <message>
        <source>Group file</source>
        <translation>Gruppendatei</translation>
    </message>
    <message>
        <source>Groups and their &amp;members:</source>
        <translation>Gruppen und ihre &amp;Mitglieder:</translation>
    </message>
    <message>
        <source>&amp;New group:</source>
        <translation>&amp;Neue Gruppe:</translation>
    </message>
    <message>
        <source>New group</source>
        <translation>Neue Gruppe</translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation>Ben&amp;utzer:</translation>
    </message>
    <message>
        <source>&amp;to group</source>
        <translation>&amp;zur Gruppe</translation>
    </message>
    <message>
        <source>Group to add the user to</source>
        <translation>Gruppe, zu der der Benutzer hinzugefügt wird</translation>
    </message>
    <message>
        <source>&amp;Save Protection</source>
        <translation>Schutz &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Test Protection</source>
        <translation>Schutz &amp;testen</translation>
    </message>
    <message>
        <source>Protection test progress</source>
        <translation>Fortschritt des Schutztests</translation>
    </message>
    <message>
        <source>Admit e&amp;very user of the user file</source>
        <translation>&amp;Jeden Benutzer der Benutzerdatei einlassen</translation>
    </message>
    <message>
        <source>Deny all &amp;other hosts</source>
        <translation>Alle a&amp;nderen Hosts abweisen</translation>
    </message>
    <message>
        <source>De&amp;ny rules first, then allow rules (deny,allow)</source>
        <translation>&amp;Erst Deny-Regeln, dann Allow-Regeln (deny,allow)</translation>
    </message>
    <message>
        <source>Allo&amp;w rules first, then deny rules (allow,deny)</source>
        <translation>Erst Allo&amp;w-Regeln, dann Deny-Regeln (allow,deny)</translation>
    </message>
    <message>
        <source>A password and an admitted host are &amp;both needed (and)</source>
        <translation>Passwort und zugelassener Host sind beide nöt&amp;ig (und)</translation>
    </message>
    <message>
        <source>Users of the user file</source>
        <translation>Benutzer der Benutzerdatei</translation>
    </message>
    <message>
        <source>The users of the directory&apos;s user file; a ticked user is admitted</source>
        <translation>Die Benutzer der Benutzerdatei des Verzeichnisses; ein angekreuzter Benutzer wird eingelassen</translation>
    </message>
    <message>
        <source>Groups of the group file</source>
        <translation>Gruppen der Gruppendatei</translation>
    </message>
    <message>
        <source>The groups of the directory&apos;s group file; the members of a ticked group are admitted</source>
        <translation>Die Gruppen der Gruppendatei des Verzeichnisses; die Mitglieder einer angekreuzten Gruppe werden eingelassen</translation>
    </message>
    <message>
        <source>Host rules</source>
        <translation>Host-Regeln</translation>
    </message>
    <message>
        <source>The host rules, each allowing or denying a host name or IP address</source>
        <translation>Die Host-Regeln, jede erlaubt oder verweigert einen Hostnamen oder eine IP-Adresse</translation>
    </message>
    <message>
        <source>Ti&amp;ck the users to admit:</source>
        <translation>Einzulassende Benut&amp;zer ankreuzen:</translation>
    </message>
    <message>
        <source>&amp;Members of the ticked groups are admitted.</source>
        <translation>&amp;Mitglieder der angekreuzten Gruppen werden eingelassen.</translation>
    </message>
    <message>
        <source>Host ru&amp;les:</source>
        <translation>Host-Rege&amp;ln:</translation>
    </message>
    <message>
        <source>&amp;Directory:</source>
        <translation>&amp;Verzeichnis:</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Verzeichnis</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>&amp;Realm name:</source>
        <translation>Be&amp;reichsname:</translation>
    </message>
    <message>
        <source>Realm name</source>
        <translation>Bereichsname</translation>
    </message>
    <message>
        <source>Chec&amp;k Server</source>
        <translation>Server &amp;prüfen</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>%1 rückgängig machen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>A password or an adm&amp;itted host is enough (or)</source>
        <translation>Passwort &amp;oder zugelassener Host genügt (oder)</translation>
    </message>
    <message>
        <source>Passwords stored as plain text</source>
        <translation>Im Klartext gespeicherte Passwörter</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Verlauf…</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Filter users</source>
        <translation>Benutzer filtern</translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation>Fil&amp;ter:</translation>
    </message>
    <message>
        <source>Filter users by name</source>
        <translation>Benutzer nach Namen filtern</translation>
    </message>
    <message>
        <source>Show only users with weak passwords</source>
        <translation>Nur Benutzer mit schwachen Passwörtern zeigen</translation>
    </message>
    <message>
        <source>&amp;Generate</source>
        <translation>&amp;Erzeugen</translation>
    </message>
    <message>
        <source>Generate a password</source>
        <translation>Ein Passwort erzeugen</translation>
    </message>
    <message>
        <source>Puts a new random password of 20 characters into the password field</source>
        <translation>Setzt ein neues zufälliges Passwort aus 20 Zeichen in das Passwortfeld</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Filter leeren</translation>
    </message>
    <message>
        <source>Sh&amp;ow Weak</source>
        <translation>Nur &amp;schwache zeigen</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::PreferencesWindow</name>
    <message>
        <source>Keepgate Preferences</source>
        <translation>Keepgate-Einstellungen</translation>
    </message>
    <message>
        <source>Keep each directory&apos;s protection settings in</source>
        <translation>Die Schutzeinstellungen jedes Verzeichnisses ablegen in</translation>
    </message>
    <message>
        <source>Changes to this choice are checked against the web server&apos;s configuration at the next start.</source>
        <translation>Änderungen dieser Wahl werden beim nächsten Start mit der Konfiguration des Webservers abgeglichen.</translation>
    </message>
    <message>
        <source>Web server</source>
        <translation>Webserver</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>an &amp;access file inside the directory, named:</source>
        <translation>einer &amp;Zugriffsdatei im Verzeichnis, mit dem Namen:</translation>
    </message>
    <message>
        <source>one shared web-server &amp;configuration file:</source>
        <translation>einer gemeinsamen &amp;Konfigurationsdatei des Webservers:</translation>
    </message>
    <message>
        <source>Access file name</source>
        <translation>Name der Zugriffsdatei</translation>
    </message>
    <message>
        <source>Shared configuration file</source>
        <translation>Gemeinsame Konfigurationsdatei</translation>
    </message>
    <message>
        <source>&amp;Detect</source>
        <translation>&amp;Erkennen</translation>
    </message>
    <message>
        <source>&amp;Main configuration file:</source>
        <translation>&amp;Hauptkonfigurationsdatei:</translation>
    </message>
    <message>
        <source>Main configuration file</source>
        <translation>Hauptkonfigurationsdatei</translation>
    </message>
    <message>
        <source>Check for a newer &amp;version at start</source>
        <translation>Beim Start nach einer neueren &amp;Version suchen</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Versteckte &amp;Dateien anzeigen</translation>
    </message>
    <message>
        <source>Hash new &amp;passwords with:</source>
        <translation>Neue &amp;Passwörter hashen mit:</translation>
    </message>
    <message>
        <source>Hash for new passwords</source>
        <translation>Hash für neue Passwörter</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>Standardwerte &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>bcrypt cost</source>
        <translation>bcrypt-Kosten</translation>
    </message>
    <message>
        <source>&amp;bcrypt cost:</source>
        <translation>&amp;bcrypt-Kosten:</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::ServerCheckWindow</name>
    <message>
        <source>Server Check</source>
        <translation>Serverprüfung</translation>
    </message>
    <message>
        <source>Check &amp;Again</source>
        <translation>&amp;Erneut prüfen</translation>
    </message>
    <message>
        <source>Check the server again</source>
        <translation>Den Server erneut prüfen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Reading the web server&apos;s configuration…</source>
        <translation>Die Konfiguration des Webservers wird gelesen…</translation>
    </message>
    <message>
        <source>the web server</source>
        <translation>den Webserver</translation>
    </message>
    <message>
        <source>Nothing stands in the way of protecting %1.</source>
        <translation>Dem Schutz von %1 steht nichts im Weg.</translation>
    </message>
    <message>
        <source>What stands in the way of protecting %1:</source>
        <translation>Was dem Schutz von %1 im Weg steht:</translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation>Beheben…</translation>
    </message>
    <message>
        <source>Server check progress</source>
        <translation>Fortschritt der Serverprüfung</translation>
    </message>
</context>
</TS>
