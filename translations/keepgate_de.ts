<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Keepgate</name>
    <message>
        <source>Keepgate Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Write with administrator rights</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was written with administrator rights.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not written with administrator rights: %2. The file was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not written with administrator rights: %2. The file may have been changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate could not read the web server&apos;s configuration %1, so it cannot tell whether the server is set up for protection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have set up Keepgate to keep the protection settings of each individual directory you are protecting in its %1 file, but the Apache web server does not read them in %2 and the directories inside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate keeps the protection settings of each individual directory you are protecting in its %1 file, but the Apache web server does not read them in %2 and the directories inside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have set up Keepgate to keep the protection settings of every directory in %1, but the Apache web server does not read that file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Keepgate cannot change that: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Would you like Keepgate to automatically configure it? It will:

%2

(This will require administrator authorization.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically configure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A problem arose while attempting to check for a new version of Keepgate.  %1 may be temporarily unavailable or your network may be down.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not check for update: %1 may be temporarily unavailable or your network may be down.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not check for update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version (%1) is available with the following new features:

%2

Would you like to visit the web site to download it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit Web Site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Update Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You already have the latest version of this application.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ReadMe %1 could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ReadMe is not installed beside Keepgate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; cannot be opened: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is opened read-only: %2. Keepgate will not write to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is read-only here: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; could not be written (%2). The list keeps your change; the next successful save writes it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; was changed by another program: %2. Your change was not written; open the file again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is gone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed by another program and is now read-only here: %2. Your change was not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; kept being changed by another program while Keepgate saved it. Your change was not written; try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user name &quot;%1&quot; cannot be used: %2. A user name may not contain colons, blanks, tabs or line breaks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Password field is empty. The user &quot;%1&quot; was not added: without a password anyone who knows the name would be let in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password contains a NUL character, which htpasswd would silently cut off there. The user &quot;%1&quot; was not added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; was not added: the file is read-only here (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the password of %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is already in the file. Change its password instead?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; was not added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; was added to the file by another program meanwhile; its password stays as that program set it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password could not be hashed with &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password of &quot;%1&quot; was not changed: the file is read-only here (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password of &quot;%1&quot; was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is no longer in the file: another program removed it. The password was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed the password of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select one user in the list first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Password field is empty. The password of &quot;%1&quot; was not changed: without a password anyone who knows the name would be let in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password could not be checked with &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password is correct for &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password does not match the one stored for &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the user file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New user file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete the user?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete the user %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete the %1 selected users?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete the %1 users %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user was deleted: the file is read-only here (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chosen users are no longer in the file: another program removed or changed them meanwhile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The shared configuration file path &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The access file name &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No web server answered and none of the usual main configuration files exists. The field keeps its value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server&apos;s configuration file path &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 The web server&apos;s configuration was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate did not install the amended configuration of %1: %2. The web server&apos;s configuration was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate did not install the amended configuration of %1: %2. The file may have been changed; compare it with its backup %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate changed %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apache (httpd) is now configured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The previous configuration was kept as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please restart the Personal Web Sharing in your System Preferences for the changes to take effect!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart the web server for the changes to take effect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server reads the change when it reloads its configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload the web server now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reloaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server is already set up for this; nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate could not change %1: %2. The web server&apos;s configuration was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate could not change %1: %2. The configuration may have been changed; see the files named here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its new text could not be staged: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the test configuration could not be staged: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enabling it with %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; compare it with its backup %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate cannot allow access files in %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate cannot make the web server read %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server&apos;s configuration test fails after this save of %1:

%2

The web server keeps its running configuration until it reloads.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore the previous file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The previous contents of %1 are back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate could not restore %1 (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The fix needs administrator rights.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module %1 was not enabled: %2. The web server&apos;s configuration was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module %1 was not enabled: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module %1 is enabled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module %1 is enabled. The web server&apos;s configuration test now fails:

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Not found. Select another...)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; cannot be protected in the shared configuration file: its path cannot stand in the section header, because %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be read, so it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; cannot be used: %3. Nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 file in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the section for it in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the directory to protect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This directory is also protected in %1; Keepgate edits %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server check: %1 (Check Server lists all %2 findings.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server check: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1   (controls access: saving asks before replacing it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept as written:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed by another program. Choose the directory again to see its protection; saving applies what is shown here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the group file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>realm name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host rule for &quot;%1&quot; must be Allow or Deny, not &quot;%2&quot;. Nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>host of a host rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>user file path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>group file path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>group name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>user name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This protection admits everyone: no user or group is required, no host rule keeps anyone out and &quot;Deny all other hosts&quot; is off, so the directory would stay open to everyone. Nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server will not enforce this protection as it is set up now:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Server fixes what Keepgate can fix. Save the protection anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fix… fixes what Keepgate can fix (with administrator rights), then saves.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The protection on disk holds lines that control access in a form Keepgate cannot show. Saving removes these lines:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and writes this protection in their place:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Apache 2.4 rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host rules will be written as Apache 2.4&apos;s Require lines, which need no mod_access_compat. Saving writes this protection:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert and Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host rules keep their Apache 2.2 form.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be read, so nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved the section for %1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to remove protection for this directory?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No protection was saved for %1; nothing was removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The access file %1 is a folder, so it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be removed: %2. With administrator rights Keepgate can empty it, which removes the protection too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protection Kept Elsewhere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The protection of %1 is kept in %2, not in %3 where the preferences keep protection.

Keepgate can edit it where it is, or move it: write it to %3, remove it from %2 and test the folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move It</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit It There</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 The protection stays where it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moved the protection of %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The protection of %1 is now in both places; the old one could not be removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server asks for a password (realm &quot;%1&quot;).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server serves this folder to everyone. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server serves this folder to everyone. It shows no listing of it, but serves the files in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No protection is saved for this folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s configuration %1 cannot be read to find out why.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server reads access files named %1, not %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no AllowOverride lets it take effect, and the server&apos;s default is None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AllowOverride %1 is in force for this folder (%2 line %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server ignores %1 here: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The main configuration %1 does not include %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server has probably not been reloaded since the protection was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(The error log %1 cannot be read.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The error log says: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not protected: the server serves this folder to everyone. It shows no listing of it, but serves the files in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server fails on this folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With %1&apos;s password: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protected: the server asks for a password (realm &quot;%1&quot;).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not protected: the server serves this folder to everyone. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closed by a host rule for this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s certificate would not be trusted by a browser (%1); Keepgate accepted it for this test on this computer only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is let in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning: passwords travel in clear text to %1, which is plain HTTP; anyone on the network path can read them. Publish the folder over HTTPS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is refused (wrong password, or not among the marked users and groups).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server&apos;s configuration %1 cannot be read, so the address is not known; type it here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not protected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not tested</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the test is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: press Test Again to ask the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tested %1 at %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate does not know the address of this folder. Type it into the address field.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate asks %1 without a password, and with the user name and password below when you give them. The password is used for this test only; it is neither stored nor logged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Testing %1 (click Test Protection again to cancel)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (through %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; was changed by another program: %2. Your change was not written; open the file again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New group file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; cannot be used: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; cannot be opened: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the file is read-only here (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group name &quot;%1&quot; cannot be used: %2. A group name may not contain blanks, tabs, colons or line breaks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; was not added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; was added to the file by another program meanwhile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added group %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user name &quot;%1&quot; cannot be added to a group: %2. A member name may not contain blanks, tabs or line breaks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; was not added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is no longer in the file: another program removed it. &quot;%2&quot; was not added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected groups and members?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chosen groups and members are no longer in the file: another program removed them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; was not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; was changed by another program while Keepgate saved it. Your change was not written; the groups now show the file as that program left it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; could not be written (%2). The groups keep your change; the next successful save writes it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address %1 is not on this computer, so it was not requested.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not an http:// or https:// address of this computer, so it was not requested.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server does not answer on %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server answers %1 for %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 cannot be entered by %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file cannot be read by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created the empty file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create the empty file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added to %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added to %1 (a new file):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to %1 (a new file):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled %1 with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable %1 with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added to the end of %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to the end of %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stays as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the directory %1 cannot stand in a section header: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the web server&apos;s configuration file %1 could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no directory is known to allow access files in (the configuration names no DocumentRoot)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate&apos;s own file %1 could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no shared configuration file is set in the preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the shared configuration file %1 cannot be used: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Apache would not start with it; Keepgate checked only what came before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Keepgate checked the rest of the configuration without it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apache&apos;s default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server ignores the protection in %1 because &quot;AllowOverride %2&quot; (%3) leaves out %4; Keepgate can allow AuthConfig and Limit for this directory alone, in a section of its own in %5.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The main configuration %1 does not include %2, so the protection written there is ignored; Keepgate can add the Include line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with a LoadModule line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with a2enmod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module %1 that the protection needs is not loaded, so the server answers with an error instead of asking for a password; Keepgate can enable it %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>user file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>group file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 %2 does not exist, so nobody can log in; choose or create it in Keepgate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server&apos;s user %1 cannot read the %2 %3 (%4), so nobody can log in; Keepgate cannot change this, give %1 read access to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user file %1 lies inside %2, which the web server publishes, so anyone can download its password hashes; choose a user file outside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds NUL bytes: it is a binary file, not a group file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHA-1 (weak)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>crypt (weak)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plain text (weak)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hashing tool&apos;s default (apr1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bcrypt (recommended)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains a line break</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains the character %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds NUL bytes: it is a binary file, not a user file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes, more than the web server reads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 holds no colon, so it is not a &quot;name:hash&quot; user line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is an htdigest file (user:realm:hash), which the basic authentication of the web server does not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a NUL byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a line break</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a vertical tab (0x0B)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a form feed (0x0C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an escape character (0x1B)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a delete character (0x7F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a control character (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains &quot;${&quot;, which Apache expands as a variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it ends with a backslash, which Apache reads as a line continuation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains a backslash before a quote, which Apache reads as an escaped quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it would make a line longer than Apache&apos;s limit of %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains a double quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains a blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains a colon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains &quot;%1&quot;, which Apache reads as an expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; before the slash is not a complete IP address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the prefix length /%1 is out of range (/0 to /%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; after the slash is neither a prefix length nor a network mask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains a blank; one rule names one host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains &quot;#&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;all&quot; is the &quot;deny all others&quot; switch, not a host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IPv6 address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address (each part runs from 0 to 255)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address, a network or a host name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it contains a slash; it must be a plain file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; names a directory, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the line is %1 bytes long, longer than Apache&apos;s limit of %2 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another program kept changing it for %1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot create a temporary file in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot set the permissions of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot flush %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot close %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed by another program while it was being saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a directory, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration file %1 is included more than %2 levels deep, more than Apache allows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration includes more than %1 files; Keepgate stopped reading at %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration is larger than %1 MiB in all; Keepgate stopped reading at %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration file %1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration file %1 holds NUL bytes: it is not a text file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration file %1 includes itself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file matches the included pattern %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration folder %1 is included more than %2 levels deep, more than Apache allows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the administrator&apos;s rights could not be asked for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the administrator&apos;s authorization was refused or could not be asked for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the command with administrator rights failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the command with administrator rights failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no private folder could be made in %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be created (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file to copy, %1, could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the installed file differs from the one Keepgate wrote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, and the previous file could not be put back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s Listen lines name no address this computer can reach.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s configuration names no DocumentRoot, Alias or UserDir, so no address is known.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server publishes no address for %1: it lies outside the document root %2 and every Alias and UserDir folder of every site.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server publishes no address for %1: it lies outside the document root and every Alias and UserDir folder of every site.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did not finish its configuration test in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 printed more than %2 MiB during its configuration test and was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the amended configuration could not be staged: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the amended configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no backup of it could be made in %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate knows no control program for this web server; reload it yourself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server was not reloaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server was not reloaded: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server was told to reload.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server was reloaded and is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server did not come back after the reload; see its error log.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enabling the module %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enabling the module %1 failed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the module file mod_%1.so is not in the server&apos;s modules folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the module file mod_%1.so is not in the server&apos;s modules folder %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a link that cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a chain of links without end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a link to %2, which is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a link to %2, which its owner does not own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not an absolute path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not owned by root</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 may be written by users other than root</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtWindowSystem</name>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a Directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>keepgate::qt::AboutDialog</name>
    <message>
        <source>About Keepgate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protects web directories of the Apache web server with user names and passwords: the user file, the group file and each directory&apos;s protection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;Keepgate&apos;s home page&lt;/a&gt; · &lt;a href=&quot;%2&quot;&gt;The licence&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>keepgate::qt::MainWindow</name>
    <message>
        <source>Keepgate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Users</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory Protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user file chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Password…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Password…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user file open — Choose… or New…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No group file chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups and their members</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New group:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No directory chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shown when the browser asks for a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address the server publishes the directory under</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Admit every user of the user file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deny all other hosts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deny rules first, then allow rules (deny,allow)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow rules first, then deny rules (allow,deny)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A password and an admitted host are both needed (and)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A password or an admitted host is enough (or)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Apache 2.4 rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Members of the ticked groups are admitted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hosts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Realm name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protection status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepgate ReadMe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Server…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Keepgate</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>keepgate::qt::PreferencesWindow</name>
    <message>
        <source>Keepgate Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep each directory&apos;s protection settings in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an access file inside the directory, named:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one shared web-server configuration file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes to this choice are checked against the web server&apos;s configuration at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main configuration file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for a newer version at start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show hidden files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hash new passwords with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>keepgate::qt::ServerCheckWindow</name>
    <message>
        <source>Server Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check &amp;Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the server again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the web server&apos;s configuration…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the web server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing stands in the way of protecting %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What stands in the way of protecting %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fix: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
