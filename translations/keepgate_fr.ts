<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>Keepgate</name>
    <message>
        <source>Keepgate Help</source>
        <translation>Aide de Keepgate</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Write with administrator rights</source>
        <translation>Écrire avec les droits d&apos;administrateur</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Enregistré</translation>
    </message>
    <message>
        <source>%1 was written with administrator rights.</source>
        <translation>%1 a été écrit avec les droits d&apos;administrateur.</translation>
    </message>
    <message>
        <source>%1 was not written with administrator rights: %2. The file was not changed.</source>
        <translation>%1 n&apos;a pas été écrit avec les droits d&apos;administrateur&#xa0;: %2. Le fichier n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>%1 was not written with administrator rights: %2. The file may have been changed.</source>
        <translation>%1 n&apos;a pas été écrit avec les droits d&apos;administrateur&#xa0;: %2. Le fichier a peut-être été modifié.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Keepgate could not read the web server&apos;s configuration %1, so it cannot tell whether the server is set up for protection.</source>
        <translation>Keepgate n&apos;a pas pu lire la configuration %1 du serveur web&#xa0;; il ne peut donc pas savoir si le serveur est prêt pour la protection.</translation>
    </message>
    <message>
        <source>You have set up Keepgate to keep the protection settings of each individual directory you are protecting in its %1 file, but the Apache web server does not read them in %2 and the directories inside it.</source>
        <translation>Vous avez configuré Keepgate pour qu&apos;il conserve les réglages de protection de chaque répertoire protégé dans son fichier %1, mais le serveur web Apache ne les lit pas dans %2 ni dans les répertoires qu&apos;il contient.</translation>
    </message>
    <message>
        <source>Keepgate keeps the protection settings of each individual directory you are protecting in its %1 file, but the Apache web server does not read them in %2 and the directories inside it.</source>
        <translation>Keepgate conserve les réglages de protection de chaque répertoire protégé dans son fichier %1, mais le serveur web Apache ne les lit pas dans %2 ni dans les répertoires qu&apos;il contient.</translation>
    </message>
    <message>
        <source>You have set up Keepgate to keep the protection settings of every directory in %1, but the Apache web server does not read that file.</source>
        <translation>Vous avez configuré Keepgate pour qu&apos;il conserve les réglages de protection de tous les répertoires dans %1, mais le serveur web Apache ne lit pas ce fichier.</translation>
    </message>
    <message>
        <source>%1 Keepgate cannot change that: %2.</source>
        <translation>%1 Keepgate ne peut pas changer cela&#xa0;: %2.</translation>
    </message>
    <message>
        <source>%1

Would you like Keepgate to automatically configure it? It will:

%2

(This will require administrator authorization.)</source>
        <translation>%1

Voulez-vous que Keepgate le configure automatiquement&#xa0;? Il va&#xa0;:

%2

(Cela demande l&apos;autorisation d&apos;un administrateur.)</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Attention&#xa0;!</translation>
    </message>
    <message>
        <source>Automatically configure</source>
        <translation>Configurer automatiquement</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>A problem arose while attempting to check for a new version of Keepgate.  %1 may be temporarily unavailable or your network may be down.</source>
        <translation>Un problème est survenu lors de la recherche d&apos;une nouvelle version de Keepgate. %1 est peut-être momentanément indisponible, ou votre réseau est coupé.</translation>
    </message>
    <message>
        <source>Could not check for update: %1 may be temporarily unavailable or your network may be down.</source>
        <translation>Impossible de rechercher une mise à jour&#xa0;: %1 est peut-être momentanément indisponible, ou votre réseau est coupé.</translation>
    </message>
    <message>
        <source>Could not check for update</source>
        <translation>Impossible de rechercher une mise à jour</translation>
    </message>
    <message>
        <source>A new version (%1) is available with the following new features:

%2

Would you like to visit the web site to download it?</source>
        <translation>Une nouvelle version (%1) est disponible, avec les nouveautés suivantes&#xa0;:

%2

Voulez-vous visiter le site web pour la télécharger&#xa0;?</translation>
    </message>
    <message>
        <source>New Version</source>
        <translation>Nouvelle version</translation>
    </message>
    <message>
        <source>Visit Web Site</source>
        <translation>Visiter le site web</translation>
    </message>
    <message>
        <source>No Update Available</source>
        <translation>Aucune mise à jour disponible</translation>
    </message>
    <message>
        <source>You already have the latest version of this application.</source>
        <translation>Vous avez déjà la dernière version de cette application.</translation>
    </message>
    <message>
        <source>The ReadMe %1 could not be opened.</source>
        <translation>Le fichier Lisez-moi %1 n&apos;a pas pu être ouvert.</translation>
    </message>
    <message>
        <source>The ReadMe is not installed beside Keepgate.</source>
        <translation>Le fichier Lisez-moi n&apos;est pas installé à côté de Keepgate.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Le fichier des utilisateurs «&#xa0;%1&#xa0;» ne peut pas être ouvert&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is opened read-only: %2. Keepgate will not write to it.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» est ouvert en lecture seule&#xa0;: %2. Keepgate n&apos;y écrira pas.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is read-only here: %2.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» est ici en lecture seule&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; could not be written (%2). The list keeps your change; the next successful save writes it.</source>
        <translation>Le fichier des utilisateurs «&#xa0;%1&#xa0;» n&apos;a pas pu être écrit (%2). La liste garde votre modification&#xa0;; le prochain enregistrement réussi l&apos;écrira.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; was changed by another program: %2. Your change was not written; open the file again.</source>
        <translation>Le fichier des utilisateurs «&#xa0;%1&#xa0;» a été modifié par un autre programme&#xa0;: %2. Votre modification n&apos;a pas été écrite&#xa0;; rouvrez le fichier.</translation>
    </message>
    <message>
        <source>it is gone</source>
        <translation>il a disparu</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed by another program and is now read-only here: %2. Your change was not written.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» a été modifié par un autre programme et est désormais en lecture seule ici&#xa0;: %2. Votre modification n&apos;a pas été écrite.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; kept being changed by another program while Keepgate saved it. Your change was not written; try again.</source>
        <translation>Le fichier des utilisateurs «&#xa0;%1&#xa0;» n&apos;a cessé d&apos;être modifié par un autre programme pendant que Keepgate l&apos;enregistrait. Votre modification n&apos;a pas été écrite&#xa0;; réessayez.</translation>
    </message>
    <message>
        <source>The Password field is empty. The user &quot;%1&quot; was not added: without a password anyone who knows the name would be let in.</source>
        <translation>Le champ «&#xa0;Mot de passe&#xa0;» est vide. L&apos;utilisateur «&#xa0;%1&#xa0;» n&apos;a pas été ajouté&#xa0;: sans mot de passe, quiconque connaît le nom pourrait entrer.</translation>
    </message>
    <message>
        <source>Change the password of %1?</source>
        <translation>Changer le mot de passe de %1&#xa0;?</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is already in the file. Change its password instead?</source>
        <translation>L&apos;utilisateur «&#xa0;%1&#xa0;» figure déjà dans le fichier. Changer plutôt son mot de passe&#xa0;?</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>Changer le mot de passe</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; was added to the file by another program meanwhile; its password stays as that program set it.</source>
        <translation>L&apos;utilisateur «&#xa0;%1&#xa0;» a entre-temps été ajouté au fichier par un autre programme&#xa0;; son mot de passe reste celui que ce programme a défini.</translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation>%1 ajouté</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is no longer in the file: another program removed it. The password was not changed.</source>
        <translation>L&apos;utilisateur «&#xa0;%1&#xa0;» ne figure plus dans le fichier&#xa0;: un autre programme l&apos;a supprimé. Le mot de passe n&apos;a pas été changé.</translation>
    </message>
    <message>
        <source>Changed the password of %1</source>
        <translation>Mot de passe de %1 changé</translation>
    </message>
    <message>
        <source>Select one user in the list first.</source>
        <translation>Sélectionnez d&apos;abord un utilisateur dans la liste.</translation>
    </message>
    <message>
        <source>The Password field is empty. The password of &quot;%1&quot; was not changed: without a password anyone who knows the name would be let in.</source>
        <translation>Le champ «&#xa0;Mot de passe&#xa0;» est vide. Le mot de passe de «&#xa0;%1&#xa0;» n&apos;a pas été changé&#xa0;: sans mot de passe, quiconque connaît le nom pourrait entrer.</translation>
    </message>
    <message>
        <source>The password could not be checked with &quot;%1&quot;.</source>
        <translation>Le mot de passe n&apos;a pas pu être vérifié avec «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Check Password</source>
        <translation>Vérifier le mot de passe</translation>
    </message>
    <message>
        <source>The password is correct for &quot;%1&quot;.</source>
        <translation>Le mot de passe de «&#xa0;%1&#xa0;» est correct.</translation>
    </message>
    <message>
        <source>The password does not match the one stored for &quot;%1&quot;.</source>
        <translation>Le mot de passe ne correspond pas à celui enregistré pour «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Choose the user file</source>
        <translation>Choisir le fichier des utilisateurs</translation>
    </message>
    <message>
        <source>New user file</source>
        <translation>Nouveau fichier des utilisateurs</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the user?</source>
        <translation>Voulez-vous vraiment supprimer l&apos;utilisateur&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the user %1?</source>
        <translation>Voulez-vous vraiment supprimer l&apos;utilisateur %1&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the %1 selected users?</source>
        <translation>Voulez-vous vraiment supprimer les %1 utilisateurs sélectionnés&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the %1 users %2?</source>
        <translation>Voulez-vous vraiment supprimer les %1 utilisateurs %2&#xa0;?</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>No user was deleted: the file is read-only here (%1).</source>
        <translation>Aucun utilisateur n&apos;a été supprimé&#xa0;: le fichier est ici en lecture seule (%1).</translation>
    </message>
    <message>
        <source>The chosen users are no longer in the file: another program removed or changed them meanwhile.</source>
        <translation>Les utilisateurs choisis ne figurent plus dans le fichier&#xa0;: un autre programme les a entre-temps supprimés ou modifiés.</translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>%1 supprimé</translation>
    </message>
    <message>
        <source>The shared configuration file path &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation>Le chemin «&#xa0;%1&#xa0;» du fichier de configuration partagé ne peut pas être utilisé&#xa0;: %2. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The access file name &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation>Le nom «&#xa0;%1&#xa0;» du fichier d&apos;accès ne peut pas être utilisé&#xa0;: %2. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>No web server answered and none of the usual main configuration files exists. The field keeps its value.</source>
        <translation>Aucun serveur web n&apos;a répondu et aucun des fichiers de configuration principaux habituels n&apos;existe. Le champ garde sa valeur.</translation>
    </message>
    <message>
        <source>The web server&apos;s configuration file path &quot;%1&quot; cannot be used: %2. Nothing was saved.</source>
        <translation>Le chemin «&#xa0;%1&#xa0;» du fichier de configuration du serveur web ne peut pas être utilisé&#xa0;: %2. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>%1 The web server&apos;s configuration was not changed.</source>
        <translation>%1 La configuration du serveur web n&apos;a pas été modifiée.</translation>
    </message>
    <message>
        <source>%1

%2</source>
        <translation>%1

%2</translation>
    </message>
    <message>
        <source>Keepgate did not install the amended configuration of %1: %2. The web server&apos;s configuration was not changed.</source>
        <translation>Keepgate n&apos;a pas installé la configuration complétée de %1&#xa0;: %2. La configuration du serveur web n&apos;a pas été modifiée.</translation>
    </message>
    <message>
        <source>Keepgate did not install the amended configuration of %1: %2. The file may have been changed; compare it with its backup %3.</source>
        <translation>Keepgate n&apos;a pas installé la configuration complétée de %1&#xa0;: %2. Le fichier a peut-être été modifié&#xa0;; comparez-le avec sa sauvegarde %3.</translation>
    </message>
    <message>
        <source>Keepgate changed %1.</source>
        <translation>Keepgate a modifié %1.</translation>
    </message>
    <message>
        <source>Apache (httpd) is now configured.</source>
        <translation>Apache (httpd) est maintenant configuré.</translation>
    </message>
    <message>
        <source>The previous configuration was kept as %1.</source>
        <translation>La configuration précédente a été conservée sous %1.</translation>
    </message>
    <message>
        <source>Please restart the Personal Web Sharing in your System Preferences for the changes to take effect!</source>
        <translation>Veuillez redémarrer le «&#xa0;Partage Web personnel&#xa0;» dans les Préférences Système pour que les modifications prennent effet&#xa0;!</translation>
    </message>
    <message>
        <source>Restart the web server for the changes to take effect.</source>
        <translation>Redémarrez le serveur web pour que les modifications prennent effet.</translation>
    </message>
    <message>
        <source>Complete!</source>
        <translation>Terminé&#xa0;!</translation>
    </message>
    <message>
        <source>The web server reads the change when it reloads its configuration.</source>
        <translation>Le serveur web lit la modification lorsqu&apos;il recharge sa configuration.</translation>
    </message>
    <message>
        <source>Reload the web server now</source>
        <translation>Recharger le serveur web maintenant</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>Reloaded</source>
        <translation>Rechargé</translation>
    </message>
    <message>
        <source>The web server is already set up for this; nothing was changed.</source>
        <translation>Le serveur web est déjà configuré pour cela&#xa0;; rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>Keepgate could not change %1: %2. The web server&apos;s configuration was not changed.</source>
        <translation>Keepgate n&apos;a pas pu modifier %1&#xa0;: %2. La configuration du serveur web n&apos;a pas été modifiée.</translation>
    </message>
    <message>
        <source>Keepgate could not change %1: %2. The configuration may have been changed; see the files named here.</source>
        <translation>Keepgate n&apos;a pas pu modifier %1&#xa0;: %2. La configuration a peut-être été modifiée&#xa0;; consultez les fichiers cités ici.</translation>
    </message>
    <message>
        <source>it could not be read</source>
        <translation>il n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>its new text could not be staged: %1</source>
        <translation>son nouveau texte n&apos;a pas pu être préparé&#xa0;: %1</translation>
    </message>
    <message>
        <source>the test configuration could not be staged: %1</source>
        <translation>la configuration de test n&apos;a pas pu être préparée&#xa0;: %1</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change</source>
        <translation>le test de configuration du serveur web lui-même a refusé la modification</translation>
    </message>
    <message>
        <source>enabling it with %1 failed</source>
        <translation>son activation avec %1 a échoué</translation>
    </message>
    <message>
        <source>%1; compare it with its backup %2</source>
        <translation>%1&#xa0;; comparez-le avec sa sauvegarde %2</translation>
    </message>
    <message>
        <source>Keepgate cannot allow access files in %1: %2.</source>
        <translation>Keepgate ne peut pas autoriser les fichiers d&apos;accès dans %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Keepgate cannot make the web server read %1: %2.</source>
        <translation>Keepgate ne peut pas faire lire %1 au serveur web&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sauvegarde</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Recharger</translation>
    </message>
    <message>
        <source>The web server&apos;s configuration test fails after this save of %1:

%2

The web server keeps its running configuration until it reloads.</source>
        <translation>Le test de configuration du serveur web échoue après cet enregistrement de %1&#xa0;:

%2

Le serveur web garde sa configuration en cours jusqu&apos;à son rechargement.</translation>
    </message>
    <message>
        <source>Restore the previous file</source>
        <translation>Restaurer le fichier précédent</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Conserver</translation>
    </message>
    <message>
        <source>Restored</source>
        <translation>Restauré</translation>
    </message>
    <message>
        <source>The previous contents of %1 are back.</source>
        <translation>Le contenu précédent de %1 est rétabli.</translation>
    </message>
    <message>
        <source>Keepgate could not restore %1 (%2).</source>
        <translation>Keepgate n&apos;a pas pu restaurer %1 (%2).</translation>
    </message>
    <message>
        <source>Fix</source>
        <translation>Corriger</translation>
    </message>
    <message>
        <source>%1

The fix needs administrator rights.</source>
        <translation>%1

La correction demande les droits d&apos;administrateur.</translation>
    </message>
    <message>
        <source>The module %1 was not enabled: %2. The web server&apos;s configuration was not changed.</source>
        <translation>Le module %1 n&apos;a pas été activé&#xa0;: %2. La configuration du serveur web n&apos;a pas été modifiée.</translation>
    </message>
    <message>
        <source>The module %1 was not enabled: %2.</source>
        <translation>Le module %1 n&apos;a pas été activé&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The module %1 is enabled.</source>
        <translation>Le module %1 est activé.</translation>
    </message>
    <message>
        <source>The module %1 is enabled. The web server&apos;s configuration test now fails:

%2</source>
        <translation>Le module %1 est activé. Le test de configuration du serveur web échoue désormais&#xa0;:

%2</translation>
    </message>
    <message>
        <source>(Not found. Select another...)</source>
        <translation>(Introuvable. Choisissez-en un autre…)</translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; cannot be protected in the shared configuration file: its path cannot stand in the section header, because %2.</source>
        <translation>Le répertoire «&#xa0;%1&#xa0;» ne peut pas être protégé dans le fichier de configuration partagé&#xa0;: son chemin ne peut pas figurer dans l&apos;en-tête de section, car %2.</translation>
    </message>
    <message>
        <source>The file %1 could not be written: %2</source>
        <translation>Le fichier %1 n&apos;a pas pu être écrit&#xa0;: %2</translation>
    </message>
    <message>
        <source>The file %1 could not be read, so it was left as it is.</source>
        <translation>Le fichier %1 n&apos;a pas pu être lu&#xa0;; il reste donc tel quel.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; cannot be used: %3. Nothing was saved.</source>
        <translation>La valeur «&#xa0;%2&#xa0;» pour %1 ne peut pas être utilisée&#xa0;: %3. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>the %1 file in %2</source>
        <translation>le fichier %1 dans %2</translation>
    </message>
    <message>
        <source>the section for it in %1</source>
        <translation>sa section dans %1</translation>
    </message>
    <message>
        <source>Choose the directory to protect</source>
        <translation>Choisir le répertoire à protéger</translation>
    </message>
    <message>
        <source>This directory is also protected in %1; Keepgate edits %2.</source>
        <translation>Ce répertoire est aussi protégé dans %1&#xa0;; Keepgate modifie %2.</translation>
    </message>
    <message>
        <source>Server check: %1 (Check Server lists all %2 findings.)</source>
        <translation>Vérification du serveur&#xa0;: %1 («&#xa0;Vérifier le serveur&#xa0;» liste les %2 constats.)</translation>
    </message>
    <message>
        <source>Server check: %1</source>
        <translation>Vérification du serveur&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1   (controls access: saving asks before replacing it)</source>
        <translation>%1   (contrôle l&apos;accès&#xa0;: l&apos;enregistrement demande avant de la remplacer)</translation>
    </message>
    <message>
        <source>Kept as written:</source>
        <translation>Conservé tel quel&#xa0;:</translation>
    </message>
    <message>
        <source>%1 was changed by another program. Choose the directory again to see its protection; saving applies what is shown here.</source>
        <translation>%1 a été modifié par un autre programme. Choisissez de nouveau le répertoire pour voir sa protection&#xa0;; l&apos;enregistrement applique ce qui est affiché ici.</translation>
    </message>
    <message>
        <source>Choose the group file</source>
        <translation>Choisir le fichier des groupes</translation>
    </message>
    <message>
        <source>realm name</source>
        <translation>le nom du domaine</translation>
    </message>
    <message>
        <source>The host rule for &quot;%1&quot; must be Allow or Deny, not &quot;%2&quot;. Nothing was saved.</source>
        <translation>La règle d&apos;hôte pour «&#xa0;%1&#xa0;» doit être Allow ou Deny, pas «&#xa0;%2&#xa0;». Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>host of a host rule</source>
        <translation>l&apos;hôte d&apos;une règle d&apos;hôte</translation>
    </message>
    <message>
        <source>user file path</source>
        <translation>le chemin du fichier des utilisateurs</translation>
    </message>
    <message>
        <source>group file path</source>
        <translation>le chemin du fichier des groupes</translation>
    </message>
    <message>
        <source>group name</source>
        <translation>le nom de groupe</translation>
    </message>
    <message>
        <source>user name</source>
        <translation>le nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>%1 Nothing was saved.</source>
        <translation>%1 Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>This protection admits everyone: no user or group is required, no host rule keeps anyone out and &quot;Deny all other hosts&quot; is off, so the directory would stay open to everyone. Nothing was saved.</source>
        <translation>Cette protection laisse entrer tout le monde&#xa0;: aucun utilisateur ni groupe n&apos;est exigé, aucune règle d&apos;hôte n&apos;écarte qui que ce soit et «&#xa0;Refuser tous les autres hôtes&#xa0;» est désactivé&#xa0;; le répertoire resterait ouvert à tous. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The web server will not enforce this protection as it is set up now:</source>
        <translation>Le serveur web n&apos;appliquera pas cette protection, tel qu&apos;il est configuré actuellement&#xa0;:</translation>
    </message>
    <message>
        <source>Check Server fixes what Keepgate can fix. Save the protection anyway?</source>
        <translation>«&#xa0;Vérifier le serveur&#xa0;» corrige ce que Keepgate peut corriger. Enregistrer quand même la protection&#xa0;?</translation>
    </message>
    <message>
        <source>Save Anyway</source>
        <translation>Enregistrer quand même</translation>
    </message>
    <message>
        <source>Fix… fixes what Keepgate can fix (with administrator rights), then saves.</source>
        <translation>«&#xa0;Corriger…&#xa0;» corrige ce que Keepgate peut corriger (avec les droits d&apos;administrateur), puis enregistre.</translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation>Corriger…</translation>
    </message>
    <message>
        <source>The protection on disk holds lines that control access in a form Keepgate cannot show. Saving removes these lines:</source>
        <translation>La protection sur le disque contient des lignes qui contrôlent l&apos;accès sous une forme que Keepgate ne peut pas afficher. L&apos;enregistrement supprime ces lignes&#xa0;:</translation>
    </message>
    <message>
        <source>and writes this protection in their place:</source>
        <translation>et écrit à leur place cette protection&#xa0;:</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Use Apache 2.4 rules</source>
        <translation>Utiliser les règles d&apos;Apache 2.4</translation>
    </message>
    <message>
        <source>The host rules will be written as Apache 2.4&apos;s Require lines, which need no mod_access_compat. Saving writes this protection:</source>
        <translation>Les règles d&apos;hôte seront écrites sous forme de lignes Require d&apos;Apache 2.4, qui n&apos;ont pas besoin de mod_access_compat. L&apos;enregistrement écrit cette protection&#xa0;:</translation>
    </message>
    <message>
        <source>Convert and Save</source>
        <translation>Convertir et enregistrer</translation>
    </message>
    <message>
        <source>The host rules keep their Apache 2.2 form.</source>
        <translation>Les règles d&apos;hôte gardent leur forme Apache 2.2.</translation>
    </message>
    <message>
        <source>The file %1 could not be read, so nothing was saved.</source>
        <translation>Le fichier %1 n&apos;a pas pu être lu&#xa0;; rien n&apos;a donc été enregistré.</translation>
    </message>
    <message>
        <source>Saved %1 in %2</source>
        <translation>%1 enregistré dans %2</translation>
    </message>
    <message>
        <source>Saved the section for %1 in %2</source>
        <translation>Section de %1 enregistrée dans %2</translation>
    </message>
    <message>
        <source>Are you sure you want to remove protection for this directory?</source>
        <translation>Voulez-vous vraiment supprimer la protection de ce répertoire&#xa0;?</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>No protection was saved for %1; nothing was removed</source>
        <translation>Aucune protection n&apos;était enregistrée pour %1&#xa0;; rien n&apos;a été supprimé</translation>
    </message>
    <message>
        <source>Removed protection</source>
        <translation>Protection supprimée</translation>
    </message>
    <message>
        <source>The access file %1 is a folder, so it was left as it is.</source>
        <translation>Le fichier d&apos;accès %1 est un dossier&#xa0;; il reste donc tel quel.</translation>
    </message>
    <message>
        <source>The file %1 could not be removed: %2. With administrator rights Keepgate can empty it, which removes the protection too.</source>
        <translation>Le fichier %1 n&apos;a pas pu être supprimé&#xa0;: %2. Avec les droits d&apos;administrateur, Keepgate peut le vider, ce qui supprime aussi la protection.</translation>
    </message>
    <message>
        <source>Protection Kept Elsewhere</source>
        <translation>Protection conservée ailleurs</translation>
    </message>
    <message>
        <source>The protection of %1 is kept in %2, not in %3 where the preferences keep protection.

Keepgate can edit it where it is, or move it: write it to %3, remove it from %2 and test the folder.</source>
        <translation>La protection de %1 est conservée dans %2, et non dans %3 où les préférences conservent la protection.

Keepgate peut la modifier là où elle est, ou la déplacer&#xa0;: l&apos;écrire dans %3, la supprimer de son emplacement actuel (%2) et tester le dossier.</translation>
    </message>
    <message>
        <source>Move It</source>
        <translation>La déplacer</translation>
    </message>
    <message>
        <source>Edit It There</source>
        <translation>La modifier sur place</translation>
    </message>
    <message>
        <source>%1 The protection stays where it is.</source>
        <translation>%1 La protection reste où elle est.</translation>
    </message>
    <message>
        <source>Moved the protection of %1 to %2</source>
        <translation>Protection de %1 déplacée vers %2</translation>
    </message>
    <message>
        <source>The protection of %1 is now in both places; the old one could not be removed</source>
        <translation>La protection de %1 est désormais aux deux endroits&#xa0;; l&apos;ancienne n&apos;a pas pu être supprimée</translation>
    </message>
    <message>
        <source>The server asks for a password (realm &quot;%1&quot;).</source>
        <translation>Le serveur demande un mot de passe (domaine «&#xa0;%1&#xa0;»).</translation>
    </message>
    <message>
        <source>The server serves this folder to everyone. %1</source>
        <translation>Le serveur sert ce dossier à tout le monde. %1</translation>
    </message>
    <message>
        <source>The server serves this folder to everyone. It shows no listing of it, but serves the files in it.</source>
        <translation>Le serveur sert ce dossier à tout le monde. Il n&apos;en affiche pas la liste, mais il sert les fichiers qu&apos;il contient.</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>No protection is saved for this folder.</source>
        <translation>Aucune protection n&apos;est enregistrée pour ce dossier.</translation>
    </message>
    <message>
        <source>The server&apos;s configuration %1 cannot be read to find out why.</source>
        <translation>La configuration %1 du serveur ne peut pas être lue pour en trouver la raison.</translation>
    </message>
    <message>
        <source>The server reads access files named %1, not %2.</source>
        <translation>Le serveur lit les fichiers d&apos;accès nommés %1, et non %2.</translation>
    </message>
    <message>
        <source>no AllowOverride lets it take effect, and the server&apos;s default is None</source>
        <translation>aucun AllowOverride ne lui permet d&apos;agir, et la valeur par défaut du serveur est None</translation>
    </message>
    <message>
        <source>AllowOverride %1 is in force for this folder (%2 line %3)</source>
        <translation>AllowOverride %1 s&apos;applique à ce dossier (%2, ligne %3)</translation>
    </message>
    <message>
        <source>The server ignores %1 here: %2.</source>
        <translation>Le serveur ignore %1 ici&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The main configuration %1 does not include %2.</source>
        <translation>La configuration principale %1 n&apos;inclut pas %2.</translation>
    </message>
    <message>
        <source>The server has probably not been reloaded since the protection was saved.</source>
        <translation>Le serveur n&apos;a probablement pas été rechargé depuis l&apos;enregistrement de la protection.</translation>
    </message>
    <message>
        <source>(The error log %1 cannot be read.)</source>
        <translation>(Le journal d&apos;erreurs %1 ne peut pas être lu.)</translation>
    </message>
    <message>
        <source>The error log says: %1</source>
        <translation>Le journal d&apos;erreurs indique&#xa0;: %1</translation>
    </message>
    <message>
        <source>Not protected: the server serves this folder to everyone. It shows no listing of it, but serves the files in it.</source>
        <translation>Non protégé&#xa0;: le serveur sert ce dossier à tout le monde. Il n&apos;en affiche pas la liste, mais il sert les fichiers qu&apos;il contient.</translation>
    </message>
    <message>
        <source>The server fails on this folder.</source>
        <translation>Le serveur échoue sur ce dossier.</translation>
    </message>
    <message>
        <source>With %1&apos;s password: %2</source>
        <translation>Avec le mot de passe de %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Protected: the server asks for a password (realm &quot;%1&quot;).</source>
        <translation>Protégé&#xa0;: le serveur demande un mot de passe (domaine «&#xa0;%1&#xa0;»).</translation>
    </message>
    <message>
        <source>Not protected: the server serves this folder to everyone. %1</source>
        <translation>Non protégé&#xa0;: le serveur sert ce dossier à tout le monde. %1</translation>
    </message>
    <message>
        <source>Closed by a host rule for this computer.</source>
        <translation>Fermé à cet ordinateur par une règle d&apos;hôte.</translation>
    </message>
    <message>
        <source>The server&apos;s certificate would not be trusted by a browser (%1); Keepgate accepted it for this test on this computer only.</source>
        <translation>Un navigateur ne ferait pas confiance au certificat du serveur (%1)&#xa0;; Keepgate l&apos;a accepté pour ce test sur cet ordinateur uniquement.</translation>
    </message>
    <message>
        <source>%1 is let in.</source>
        <translation>%1 est admis.</translation>
    </message>
    <message>
        <source>Warning: passwords travel in clear text to %1, which is plain HTTP; anyone on the network path can read them. Publish the folder over HTTPS.</source>
        <translation>Attention&#xa0;: les mots de passe circulent en clair vers %1, qui est en HTTP simple&#xa0;; n&apos;importe qui sur le chemin réseau peut les lire. Publiez le dossier en HTTPS.</translation>
    </message>
    <message>
        <source>%1 is refused (wrong password, or not among the marked users and groups).</source>
        <translation>%1 est refusé (mauvais mot de passe, ou absent des utilisateurs et groupes cochés).</translation>
    </message>
    <message>
        <source>The web server&apos;s configuration %1 cannot be read, so the address is not known; type it here.</source>
        <translation>La configuration %1 du serveur web ne peut pas être lue&#xa0;; l&apos;adresse est donc inconnue, saisissez-la ici.</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Protégé</translation>
    </message>
    <message>
        <source>Not protected</source>
        <translation>Non protégé</translation>
    </message>
    <message>
        <source>Failing</source>
        <translation>En échec</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Injoignable</translation>
    </message>
    <message>
        <source>Not tested</source>
        <translation>Non testé</translation>
    </message>
    <message>
        <source>%1: the test is running.</source>
        <translation>%1&#xa0;: le test est en cours.</translation>
    </message>
    <message>
        <source>%1: press Test Again to ask the server.</source>
        <translation>%1&#xa0;: cliquez sur «&#xa0;Tester à nouveau&#xa0;» pour interroger le serveur.</translation>
    </message>
    <message>
        <source>Tested %1 at %2.</source>
        <translation>%1 testé à %2.</translation>
    </message>
    <message>
        <source>Test cancelled.</source>
        <translation>Test annulé.</translation>
    </message>
    <message>
        <source>No Address</source>
        <translation>Aucune adresse</translation>
    </message>
    <message>
        <source>Keepgate does not know the address of this folder. Type it into the address field.</source>
        <translation>Keepgate ne connaît pas l&apos;adresse de ce dossier. Saisissez-la dans le champ d&apos;adresse.</translation>
    </message>
    <message>
        <source>Test Protection</source>
        <translation>Tester la protection</translation>
    </message>
    <message>
        <source>Keepgate asks %1 without a password, and with the user name and password below when you give them. The password is used for this test only; it is neither stored nor logged.</source>
        <translation>Keepgate interroge %1 sans mot de passe, puis avec le nom d&apos;utilisateur et le mot de passe ci-dessous si vous les indiquez. Le mot de passe ne sert qu&apos;à ce test&#xa0;; il n&apos;est ni enregistré ni journalisé.</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Tester</translation>
    </message>
    <message>
        <source>Testing %1 (click Test Protection again to cancel)…</source>
        <translation>Test de %1 en cours (cliquez de nouveau sur «&#xa0;Tester la protection&#xa0;» pour annuler)…</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>%1 (through %2)</source>
        <translation>%1 (via %2)</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; was changed by another program: %2. Your change was not written; open the file again.</source>
        <translation>Le fichier des groupes «&#xa0;%1&#xa0;» a été modifié par un autre programme&#xa0;: %2. Votre modification n&apos;a pas été écrite&#xa0;; rouvrez le fichier.</translation>
    </message>
    <message>
        <source>New group file</source>
        <translation>Nouveau fichier des groupes</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; cannot be used: %2.</source>
        <translation>Le fichier des groupes «&#xa0;%1&#xa0;» ne peut pas être utilisé&#xa0;: %2.</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>il dépasse %1 Mio</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Le fichier des groupes «&#xa0;%1&#xa0;» ne peut pas être ouvert&#xa0;: %2.</translation>
    </message>
    <message>
        <source>%1: the file is read-only here (%2).</source>
        <translation>%1&#xa0;: le fichier est ici en lecture seule (%2).</translation>
    </message>
    <message>
        <source>The group name &quot;%1&quot; cannot be used: %2. A group name may not contain blanks, tabs, colons or line breaks.</source>
        <translation>Le nom de groupe «&#xa0;%1&#xa0;» ne peut pas être utilisé&#xa0;: %2. Un nom de groupe ne peut contenir ni espaces, ni tabulations, ni deux-points, ni sauts de ligne.</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; was not added</source>
        <translation>Le groupe «&#xa0;%1&#xa0;» n&apos;a pas été ajouté</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; was added to the file by another program meanwhile.</source>
        <translation>Le groupe «&#xa0;%1&#xa0;» a entre-temps été ajouté au fichier par un autre programme.</translation>
    </message>
    <message>
        <source>Added group %1</source>
        <translation>Groupe %1 ajouté</translation>
    </message>
    <message>
        <source>The user name &quot;%1&quot; cannot be added to a group: %2. A member name may not contain blanks, tabs or line breaks.</source>
        <translation>Le nom d&apos;utilisateur «&#xa0;%1&#xa0;» ne peut pas être ajouté à un groupe&#xa0;: %2. Un nom de membre ne peut contenir ni espaces, ni tabulations, ni sauts de ligne.</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; was not added</source>
        <translation>L&apos;utilisateur «&#xa0;%1&#xa0;» n&apos;a pas été ajouté</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is no longer in the file: another program removed it. &quot;%2&quot; was not added.</source>
        <translation>Le groupe «&#xa0;%1&#xa0;» ne figure plus dans le fichier&#xa0;: un autre programme l&apos;a supprimé. «&#xa0;%2&#xa0;» n&apos;a pas été ajouté.</translation>
    </message>
    <message>
        <source>Added %1 to %2</source>
        <translation>%1 ajouté à %2</translation>
    </message>
    <message>
        <source>Nothing was deleted</source>
        <translation>Rien n&apos;a été supprimé</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected groups and members?</source>
        <translation>Voulez-vous vraiment supprimer les groupes et membres sélectionnés&#xa0;?</translation>
    </message>
    <message>
        <source>The chosen groups and members are no longer in the file: another program removed them.</source>
        <translation>Les groupes et membres choisis ne figurent plus dans le fichier&#xa0;: un autre programme les a supprimés.</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; could not be written (%2). The groups keep your change; the next successful save writes it.</source>
        <translation>Le fichier des groupes «&#xa0;%1&#xa0;» n&apos;a pas pu être écrit (%2). Les groupes gardent votre modification&#xa0;; le prochain enregistrement réussi l&apos;écrira.</translation>
    </message>
    <message>
        <source>The address %1 is not on this computer, so it was not requested.</source>
        <translation>L&apos;adresse %1 n&apos;est pas sur cet ordinateur&#xa0;; elle n&apos;a donc pas été interrogée.</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not an http:// or https:// address of this computer, so it was not requested.</source>
        <translation>L&apos;adresse «&#xa0;%1&#xa0;» n&apos;est pas une adresse http:// ou https:// de cet ordinateur&#xa0;; elle n&apos;a donc pas été interrogée.</translation>
    </message>
    <message>
        <source>The web server does not answer on %1.</source>
        <translation>Le serveur web ne répond pas à %1.</translation>
    </message>
    <message>
        <source>The server answers %1 for %2.</source>
        <translation>Le serveur répond %1 pour %2.</translation>
    </message>
    <message>
        <source>the folder %1 is missing</source>
        <translation>le dossier %1 est absent</translation>
    </message>
    <message>
        <source>the folder %1 cannot be entered by %2</source>
        <translation>le dossier %1 n&apos;est pas accessible à %2</translation>
    </message>
    <message>
        <source>the file is missing</source>
        <translation>le fichier est absent</translation>
    </message>
    <message>
        <source>the file cannot be read by %1</source>
        <translation>le fichier ne peut pas être lu par %1</translation>
    </message>
    <message>
        <source>Created the empty file %1.</source>
        <translation>Le fichier vide %1 a été créé.</translation>
    </message>
    <message>
        <source>Create the empty file %1.</source>
        <translation>Créer le fichier vide %1.</translation>
    </message>
    <message>
        <source>Added to %1:</source>
        <translation>Ajouté à %1&#xa0;:</translation>
    </message>
    <message>
        <source>Added to %1 (a new file):</source>
        <translation>Ajouté à %1 (un nouveau fichier)&#xa0;:</translation>
    </message>
    <message>
        <source>Add to %1:</source>
        <translation>Ajouter à %1&#xa0;:</translation>
    </message>
    <message>
        <source>Add to %1 (a new file):</source>
        <translation>Ajouter à %1 (un nouveau fichier)&#xa0;:</translation>
    </message>
    <message>
        <source>Enabled %1 with %2.</source>
        <translation>%1 a été activé avec %2.</translation>
    </message>
    <message>
        <source>Enable %1 with %2.</source>
        <translation>Activer %1 avec %2.</translation>
    </message>
    <message>
        <source>Added to the end of %1:</source>
        <translation>Ajouté à la fin de %1&#xa0;:</translation>
    </message>
    <message>
        <source>Add to the end of %1:</source>
        <translation>Ajouter à la fin de %1&#xa0;:</translation>
    </message>
    <message>
        <source>%1 was not changed.</source>
        <translation>%1 n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>%1 stays as it is.</source>
        <translation>%1 reste tel quel.</translation>
    </message>
    <message>
        <source>the directory %1 cannot stand in a section header: %2</source>
        <translation>le répertoire %1 ne peut pas figurer dans un en-tête de section&#xa0;: %2</translation>
    </message>
    <message>
        <source>the web server&apos;s configuration file %1 could not be read</source>
        <translation>le fichier de configuration %1 du serveur web n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>no directory is known to allow access files in (the configuration names no DocumentRoot)</source>
        <translation>aucun répertoire n&apos;est connu où autoriser les fichiers d&apos;accès (la configuration ne nomme aucun DocumentRoot)</translation>
    </message>
    <message>
        <source>Keepgate&apos;s own file %1 could not be read</source>
        <translation>le fichier propre à Keepgate %1 n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>no shared configuration file is set in the preferences</source>
        <translation>aucun fichier de configuration partagé n&apos;est défini dans les préférences</translation>
    </message>
    <message>
        <source>the shared configuration file %1 cannot be used: %2</source>
        <translation>le fichier de configuration partagé %1 ne peut pas être utilisé&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 Apache would not start with it; Keepgate checked only what came before.</source>
        <translation>%1 Apache ne démarrerait pas ainsi&#xa0;; Keepgate n&apos;a vérifié que ce qui précède.</translation>
    </message>
    <message>
        <source>%1 Keepgate checked the rest of the configuration without it.</source>
        <translation>%1 Keepgate a vérifié le reste de la configuration sans cela.</translation>
    </message>
    <message>
        <source>Apache&apos;s default</source>
        <translation>valeur par défaut d&apos;Apache</translation>
    </message>
    <message>
        <source>%1 line %2</source>
        <translation>%1, ligne %2</translation>
    </message>
    <message>
        <source>The web server ignores the protection in %1 because &quot;AllowOverride %2&quot; (%3) leaves out %4; Keepgate can allow AuthConfig and Limit for this directory alone, in a section of its own in %5.</source>
        <translation>Le serveur web ignore la protection dans %1 car «&#xa0;AllowOverride %2&#xa0;» (%3) omet %4&#xa0;; Keepgate peut autoriser AuthConfig et Limit pour ce seul répertoire, dans une section à lui dans %5.</translation>
    </message>
    <message>
        <source>The main configuration %1 does not include %2, so the protection written there is ignored; Keepgate can add the Include line.</source>
        <translation>La configuration principale %1 n&apos;inclut pas %2&#xa0;; la protection qui y est écrite est donc ignorée. Keepgate peut ajouter la ligne Include.</translation>
    </message>
    <message>
        <source>with a LoadModule line</source>
        <translation>par une ligne LoadModule</translation>
    </message>
    <message>
        <source>with a2enmod</source>
        <translation>avec a2enmod</translation>
    </message>
    <message>
        <source>The module %1 that the protection needs is not loaded, so the server answers with an error instead of asking for a password; Keepgate can enable it %2.</source>
        <translation>Le module %1 dont la protection a besoin n&apos;est pas chargé&#xa0;; le serveur répond donc par une erreur au lieu de demander un mot de passe. Keepgate peut l&apos;activer %2.</translation>
    </message>
    <message>
        <source>user file</source>
        <translation>fichier des utilisateurs</translation>
    </message>
    <message>
        <source>group file</source>
        <translation>fichier des groupes</translation>
    </message>
    <message>
        <source>The %1 %2 does not exist, so nobody can log in; choose or create it in Keepgate.</source>
        <translation>Le %1 %2 n&apos;existe pas&#xa0;; personne ne peut donc se connecter. Choisissez-le ou créez-le dans Keepgate.</translation>
    </message>
    <message>
        <source>The web server&apos;s user %1 cannot read the %2 %3 (%4), so nobody can log in; Keepgate cannot change this, give %1 read access to it.</source>
        <translation>L&apos;utilisateur %1 du serveur web ne peut pas lire le %2 %3 (%4)&#xa0;; personne ne peut donc se connecter. Keepgate ne peut pas changer cela&#xa0;: donnez à %1 l&apos;accès en lecture.</translation>
    </message>
    <message>
        <source>The user file %1 lies inside %2, which the web server publishes, so anyone can download its password hashes; choose a user file outside it.</source>
        <translation>Le fichier des utilisateurs %1 se trouve dans %2, que le serveur web publie&#xa0;; n&apos;importe qui peut donc télécharger ses empreintes de mots de passe. Choisissez un fichier des utilisateurs en dehors.</translation>
    </message>
    <message>
        <source>it holds NUL bytes: it is a binary file, not a group file</source>
        <translation>il contient des octets NUL&#xa0;: c&apos;est un fichier binaire, pas un fichier des groupes</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>plain text (weak)</source>
        <translation>texte en clair (faible)</translation>
    </message>
    <message>
        <source>Hashing tool&apos;s default (apr1)</source>
        <translation>Valeur par défaut de l&apos;outil de hachage (apr1)</translation>
    </message>
    <message>
        <source>bcrypt (recommended)</source>
        <translation>bcrypt (recommandé)</translation>
    </message>
    <message>
        <source>it contains a line break</source>
        <translation>il contient un saut de ligne</translation>
    </message>
    <message>
        <source>it contains the character %1</source>
        <translation>il contient le caractère %1</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>il est trop volumineux</translation>
    </message>
    <message>
        <source>it holds NUL bytes: it is a binary file, not a user file</source>
        <translation>il contient des octets NUL&#xa0;: c&apos;est un fichier binaire, pas un fichier des utilisateurs</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes, more than the web server reads</source>
        <translation>la ligne %1 dépasse %2 octets, plus que ce que lit le serveur web</translation>
    </message>
    <message>
        <source>line %1 holds no colon, so it is not a &quot;name:hash&quot; user line</source>
        <translation>la ligne %1 ne contient pas de deux-points&#xa0;; ce n&apos;est donc pas une ligne d&apos;utilisateur «&#xa0;nom:empreinte&#xa0;»</translation>
    </message>
    <message>
        <source>it is an htdigest file (user:realm:hash), which the basic authentication of the web server does not read</source>
        <translation>c&apos;est un fichier htdigest (utilisateur:domaine:empreinte), que l&apos;authentification Basic du serveur web ne lit pas</translation>
    </message>
    <message>
        <source>a NUL byte</source>
        <translation>un octet NUL</translation>
    </message>
    <message>
        <source>a tab</source>
        <translation>une tabulation</translation>
    </message>
    <message>
        <source>a line break</source>
        <translation>un saut de ligne</translation>
    </message>
    <message>
        <source>a vertical tab (0x0B)</source>
        <translation>une tabulation verticale (0x0B)</translation>
    </message>
    <message>
        <source>a form feed (0x0C)</source>
        <translation>un saut de page (0x0C)</translation>
    </message>
    <message>
        <source>an escape character (0x1B)</source>
        <translation>un caractère d&apos;échappement (0x1B)</translation>
    </message>
    <message>
        <source>a delete character (0x7F)</source>
        <translation>un caractère de suppression (0x7F)</translation>
    </message>
    <message>
        <source>a control character (%1)</source>
        <translation>un caractère de contrôle (%1)</translation>
    </message>
    <message>
        <source>it contains %1</source>
        <translation>il contient %1</translation>
    </message>
    <message>
        <source>it contains &quot;${&quot;, which Apache expands as a variable</source>
        <translation>il contient «&#xa0;${&#xa0;», qu&apos;Apache développe comme une variable</translation>
    </message>
    <message>
        <source>it ends with a backslash, which Apache reads as a line continuation</source>
        <translation>il se termine par une barre oblique inverse, qu&apos;Apache lit comme une continuation de ligne</translation>
    </message>
    <message>
        <source>it contains a backslash before a quote, which Apache reads as an escaped quote</source>
        <translation>il contient une barre oblique inverse devant un guillemet, qu&apos;Apache lit comme un guillemet échappé</translation>
    </message>
    <message>
        <source>it would make a line longer than Apache&apos;s limit of %1 bytes</source>
        <translation>il rendrait une ligne plus longue que la limite d&apos;Apache de %1 octets</translation>
    </message>
    <message>
        <source>it contains a double quote</source>
        <translation>il contient un guillemet double</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>il est vide</translation>
    </message>
    <message>
        <source>it contains a blank</source>
        <translation>il contient une espace</translation>
    </message>
    <message>
        <source>it contains a colon</source>
        <translation>il contient un deux-points</translation>
    </message>
    <message>
        <source>it contains &quot;%1&quot;, which Apache reads as an expression</source>
        <translation>il contient «&#xa0;%1&#xa0;», qu&apos;Apache lit comme une expression</translation>
    </message>
    <message>
        <source>&quot;%1&quot; before the slash is not a complete IP address</source>
        <translation>«&#xa0;%1&#xa0;» avant la barre oblique n&apos;est pas une adresse IP complète</translation>
    </message>
    <message>
        <source>the prefix length /%1 is out of range (/0 to /%2)</source>
        <translation>la longueur de préfixe /%1 est hors limites (/0 à /%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; after the slash is neither a prefix length nor a network mask</source>
        <translation>«&#xa0;%1&#xa0;» après la barre oblique n&apos;est ni une longueur de préfixe ni un masque de réseau</translation>
    </message>
    <message>
        <source>it contains a blank; one rule names one host</source>
        <translation>il contient une espace&#xa0;; une règle nomme un seul hôte</translation>
    </message>
    <message>
        <source>it contains &quot;#&quot;</source>
        <translation>il contient «&#xa0;#&#xa0;»</translation>
    </message>
    <message>
        <source>&quot;all&quot; is the &quot;deny all others&quot; switch, not a host</source>
        <translation>«&#xa0;all&#xa0;» correspond à l&apos;option «&#xa0;Refuser tous les autres hôtes&#xa0;», pas à un hôte</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IPv6 address</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une adresse IPv6</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address (each part runs from 0 to 255)</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une adresse IP (chaque partie va de 0 à 255)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address, a network or a host name</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est ni une adresse IP, ni un réseau, ni un nom d&apos;hôte</translation>
    </message>
    <message>
        <source>it contains a slash; it must be a plain file name</source>
        <translation>il contient une barre oblique&#xa0;; ce doit être un simple nom de fichier</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names a directory, not a file</source>
        <translation>«&#xa0;%1&#xa0;» désigne un répertoire, pas un fichier</translation>
    </message>
    <message>
        <source>the line is %1 bytes long, longer than Apache&apos;s limit of %2 bytes</source>
        <translation>la ligne fait %1 octets, plus que la limite d&apos;Apache de %2 octets</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>another program kept changing it for %1 seconds</source>
        <translation>un autre programme n&apos;a cessé de le modifier pendant %1 secondes</translation>
    </message>
    <message>
        <source>it cannot be read: %1</source>
        <translation>il ne peut pas être lu&#xa0;: %1</translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation>aucun nom de fichier n&apos;a été donné</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>c&apos;est un dossier</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>il ne peut pas être lu</translation>
    </message>
    <message>
        <source>%1 is a directory</source>
        <translation>%1 est un répertoire</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>cannot create a temporary file in %1</source>
        <translation>impossible de créer un fichier temporaire dans %1</translation>
    </message>
    <message>
        <source>cannot set the permissions of %1</source>
        <translation>impossible de définir les droits de %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>cannot flush %1</source>
        <translation>impossible de vider %1 sur le disque</translation>
    </message>
    <message>
        <source>cannot close %1</source>
        <translation>impossible de fermer %1</translation>
    </message>
    <message>
        <source>%1 was changed by another program while it was being saved</source>
        <translation>%1 a été modifié par un autre programme pendant son enregistrement</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>impossible de remplacer %1</translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation>impossible de supprimer %1</translation>
    </message>
    <message>
        <source>%1 is a directory, not a file</source>
        <translation>%1 est un répertoire, pas un fichier</translation>
    </message>
    <message>
        <source>The configuration file %1 is included more than %2 levels deep, more than Apache allows.</source>
        <translation>Le fichier de configuration %1 est inclus sur plus de %2 niveaux, plus qu&apos;Apache ne le permet.</translation>
    </message>
    <message>
        <source>The configuration includes more than %1 files; Keepgate stopped reading at %2.</source>
        <translation>La configuration inclut plus de %1 fichiers&#xa0;; Keepgate a arrêté la lecture à %2.</translation>
    </message>
    <message>
        <source>The configuration is larger than %1 MiB in all; Keepgate stopped reading at %2.</source>
        <translation>La configuration dépasse %1 Mio au total&#xa0;; Keepgate a arrêté la lecture à %2.</translation>
    </message>
    <message>
        <source>The configuration file %1 could not be read.</source>
        <translation>Le fichier de configuration %1 n&apos;a pas pu être lu.</translation>
    </message>
    <message>
        <source>The configuration file %1 holds NUL bytes: it is not a text file.</source>
        <translation>Le fichier de configuration %1 contient des octets NUL&#xa0;: ce n&apos;est pas un fichier texte.</translation>
    </message>
    <message>
        <source>The configuration file %1 includes itself.</source>
        <translation>Le fichier de configuration %1 s&apos;inclut lui-même.</translation>
    </message>
    <message>
        <source>No file matches the included pattern %1.</source>
        <translation>Aucun fichier ne correspond au motif inclus %1.</translation>
    </message>
    <message>
        <source>The configuration folder %1 is included more than %2 levels deep, more than Apache allows.</source>
        <translation>Le dossier de configuration %1 est inclus sur plus de %2 niveaux, plus qu&apos;Apache ne le permet.</translation>
    </message>
    <message>
        <source>the administrator&apos;s rights could not be asked for</source>
        <translation>les droits d&apos;administrateur n&apos;ont pas pu être demandés</translation>
    </message>
    <message>
        <source>the administrator&apos;s authorization was refused or could not be asked for</source>
        <translation>l&apos;autorisation d&apos;administrateur a été refusée ou n&apos;a pas pu être demandée</translation>
    </message>
    <message>
        <source>the command with administrator rights failed</source>
        <translation>la commande avec les droits d&apos;administrateur a échoué</translation>
    </message>
    <message>
        <source>the command with administrator rights failed: %1</source>
        <translation>la commande avec les droits d&apos;administrateur a échoué&#xa0;: %1</translation>
    </message>
    <message>
        <source>no private folder could be made in %1 (%2)</source>
        <translation>aucun dossier privé n&apos;a pu être créé dans %1 (%2)</translation>
    </message>
    <message>
        <source>%1 could not be created (%2)</source>
        <translation>%1 n&apos;a pas pu être créé (%2)</translation>
    </message>
    <message>
        <source>%1 could not be written (%2)</source>
        <translation>%1 n&apos;a pas pu être écrit (%2)</translation>
    </message>
    <message>
        <source>the file to copy, %1, could not be read</source>
        <translation>le fichier à copier, %1, n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>the installed file differs from the one Keepgate wrote</source>
        <translation>le fichier installé diffère de celui que Keepgate a écrit</translation>
    </message>
    <message>
        <source>%1, and the previous file could not be put back</source>
        <translation>%1, et le fichier précédent n&apos;a pas pu être remis en place</translation>
    </message>
    <message>
        <source>The server&apos;s Listen lines name no address this computer can reach.</source>
        <translation>Les lignes Listen du serveur ne nomment aucune adresse que cet ordinateur peut joindre.</translation>
    </message>
    <message>
        <source>The server&apos;s configuration names no DocumentRoot, Alias or UserDir, so no address is known.</source>
        <translation>La configuration du serveur ne nomme aucun DocumentRoot, Alias ou UserDir&#xa0;; aucune adresse n&apos;est donc connue.</translation>
    </message>
    <message>
        <source>The server publishes no address for %1: it lies outside the document root %2 and every Alias and UserDir folder of every site.</source>
        <translation>Le serveur ne publie aucune adresse pour %1&#xa0;: il se trouve hors de la racine des documents %2 et de tous les dossiers Alias et UserDir de tous les sites.</translation>
    </message>
    <message>
        <source>The server publishes no address for %1: it lies outside the document root and every Alias and UserDir folder of every site.</source>
        <translation>Le serveur ne publie aucune adresse pour %1&#xa0;: il se trouve hors de la racine des documents et de tous les dossiers Alias et UserDir de tous les sites.</translation>
    </message>
    <message>
        <source>%1 could not be run</source>
        <translation>%1 n&apos;a pas pu être exécuté</translation>
    </message>
    <message>
        <source>%1 did not finish its configuration test in time</source>
        <translation>%1 n&apos;a pas terminé son test de configuration à temps</translation>
    </message>
    <message>
        <source>%1 printed more than %2 MiB during its configuration test and was stopped</source>
        <translation>%1 a produit plus de %2 Mio pendant son test de configuration et a été arrêté</translation>
    </message>
    <message>
        <source>the amended configuration could not be staged: %1</source>
        <translation>la configuration complétée n&apos;a pas pu être préparée&#xa0;: %1</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the amended configuration</source>
        <translation>le test de configuration du serveur web lui-même a refusé la configuration complétée</translation>
    </message>
    <message>
        <source>no backup of it could be made in %1 (%2)</source>
        <translation>aucune sauvegarde n&apos;a pu en être faite dans %1 (%2)</translation>
    </message>
    <message>
        <source>Keepgate knows no control program for this web server; reload it yourself.</source>
        <translation>Keepgate ne connaît aucun programme de contrôle pour ce serveur web&#xa0;; rechargez-le vous-même.</translation>
    </message>
    <message>
        <source>The web server was not reloaded.</source>
        <translation>Le serveur web n&apos;a pas été rechargé.</translation>
    </message>
    <message>
        <source>The web server was not reloaded: %1</source>
        <translation>Le serveur web n&apos;a pas été rechargé&#xa0;: %1</translation>
    </message>
    <message>
        <source>The web server was told to reload.</source>
        <translation>Le serveur web a reçu l&apos;ordre de se recharger.</translation>
    </message>
    <message>
        <source>The web server was reloaded and is running.</source>
        <translation>Le serveur web a été rechargé et fonctionne.</translation>
    </message>
    <message>
        <source>The web server did not come back after the reload; see its error log.</source>
        <translation>Le serveur web n&apos;a pas redémarré après le rechargement&#xa0;; consultez son journal d&apos;erreurs.</translation>
    </message>
    <message>
        <source>enabling the module %1 failed</source>
        <translation>l&apos;activation du module %1 a échoué</translation>
    </message>
    <message>
        <source>enabling the module %1 failed: %2</source>
        <translation>l&apos;activation du module %1 a échoué&#xa0;: %2</translation>
    </message>
    <message>
        <source>the module file mod_%1.so is not in the server&apos;s modules folder</source>
        <translation>le fichier de module mod_%1.so n&apos;est pas dans le dossier des modules du serveur</translation>
    </message>
    <message>
        <source>the module file mod_%1.so is not in the server&apos;s modules folder %2</source>
        <translation>le fichier de module mod_%1.so n&apos;est pas dans le dossier des modules %2 du serveur</translation>
    </message>
    <message>
        <source>%1 is a link that cannot be read</source>
        <translation>%1 est un lien qui ne peut pas être lu</translation>
    </message>
    <message>
        <source>%1 is a chain of links without end</source>
        <translation>%1 est une chaîne de liens sans fin</translation>
    </message>
    <message>
        <source>%1 is a link to %2, which is not a regular file</source>
        <translation>%1 est un lien vers %2, qui n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>%1 is a link to %2, which its owner does not own</source>
        <translation>%1 est un lien vers %2, qui n&apos;appartient pas à son propriétaire</translation>
    </message>
    <message>
        <source>%1 is not an absolute path</source>
        <translation>%1 n&apos;est pas un chemin absolu</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>%1 is not owned by root</source>
        <translation>%1 n&apos;appartient pas à root</translation>
    </message>
    <message>
        <source>%1 may be written by users other than root</source>
        <translation>%1 peut être modifié par d&apos;autres utilisateurs que root</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Erreur&#xa0;!</translation>
    </message>
    <message>
        <source>The server serves this folder to everyone.</source>
        <translation>Le serveur sert ce dossier à tout le monde.</translation>
    </message>
    <message>
        <source>Not protected: the server serves this folder to everyone.</source>
        <translation>Non protégé&#xa0;: le serveur sert ce dossier à tout le monde.</translation>
    </message>
    <message>
        <source>The fix needs administrator rights for %1: run as root, or add --sudo.</source>
        <translation>La correction demande les droits d&apos;administrateur pour %1&#xa0;: lancez-la en tant que root, ou ajoutez --sudo.</translation>
    </message>
    <message>
        <source>Keepgate cannot fix this: %1</source>
        <translation>Keepgate ne peut pas corriger cela&#xa0;: %1</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change once it was in place, so Keepgate put back what it had changed</source>
        <translation>le test de configuration du serveur web lui-même a refusé la modification une fois en place&#xa0;; Keepgate a donc remis ce qu&apos;il avait modifié</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change once it was in place, and Keepgate could not put back everything</source>
        <translation>le test de configuration du serveur web lui-même a refusé la modification une fois en place, et Keepgate n&apos;a pas pu tout remettre</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change once it was in place, so Keepgate put back what it had changed; the previous main configuration is kept as %1</source>
        <translation>le test de configuration du serveur web lui-même a refusé la modification une fois en place&#xa0;; Keepgate a donc remis ce qu&apos;il avait modifié&#xa0;; la configuration principale précédente est conservée sous %1</translation>
    </message>
    <message>
        <source>the web server&apos;s own configuration test refused the change once it was in place, and Keepgate could not put back everything; the previous main configuration is kept as %1</source>
        <translation>le test de configuration du serveur web lui-même a refusé la modification une fois en place, et Keepgate n&apos;a pas pu tout remettre&#xa0;; la configuration principale précédente est conservée sous %1</translation>
    </message>
    <message>
        <source>Allowed access files for %1</source>
        <translation>Fichiers d&apos;accès autorisés pour %1</translation>
    </message>
    <message>
        <source>Made the web server read %1</source>
        <translation>Le serveur web lit désormais %1</translation>
    </message>
    <message>
        <source>Put back %1 after the server&apos;s test failed</source>
        <translation>%1 remis en place après l&apos;échec du test du serveur</translation>
    </message>
    <message>
        <source>Enabled the module %1</source>
        <translation>Module %1 activé</translation>
    </message>
    <message>
        <source>%1 Its protection, if any, is not shown.</source>
        <translation>%1 Sa protection éventuelle n&apos;est pas affichée.</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 et %2 autres</translation>
    </message>
    <message>
        <source>1 user who may enter has a password stored as plain text: %1. Change the password in the Users tab.</source>
        <translation>1 utilisateur admis a un mot de passe stocké en clair&#xa0;: %1. Changez le mot de passe dans l&apos;onglet «&#xa0;Utilisateurs&#xa0;».</translation>
    </message>
    <message>
        <source>%1 users who may enter have a password stored as plain text: %2. Change their passwords in the Users tab.</source>
        <translation>%1 utilisateurs admis ont un mot de passe stocké en clair&#xa0;: %2. Changez leurs mots de passe dans l&apos;onglet «&#xa0;Utilisateurs&#xa0;».</translation>
    </message>
    <message>
        <source>Saved protection of %1</source>
        <translation>Protection de %1 enregistrée</translation>
    </message>
    <message>
        <source>Removed protection of %1</source>
        <translation>Protection de %1 supprimée</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>il n&apos;existe pas</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be a group file: %2.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» ne peut pas être un fichier des groupes&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is already in %2.</source>
        <translation>Le groupe «&#xa0;%1&#xa0;» figure déjà dans %2.</translation>
    </message>
    <message>
        <source>Added the group %1</source>
        <translation>Groupe %1 ajouté</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is not in %2; nothing to delete.</source>
        <translation>Le groupe «&#xa0;%1&#xa0;» ne figure pas dans %2&#xa0;; rien à supprimer.</translation>
    </message>
    <message>
        <source>Deleted the group %1</source>
        <translation>Groupe %1 supprimé</translation>
    </message>
    <message>
        <source>member name</source>
        <translation>le nom de membre</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; is read-only here (%2).</source>
        <translation>Le fichier des groupes «&#xa0;%1&#xa0;» est ici en lecture seule (%2).</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; kept being changed by another program while Keepgate saved it. Your change was not written; try again.</source>
        <translation>Le fichier des groupes «&#xa0;%1&#xa0;» n&apos;a cessé d&apos;être modifié par un autre programme pendant que Keepgate l&apos;enregistrait. Votre modification n&apos;a pas été écrite&#xa0;; réessayez.</translation>
    </message>
    <message>
        <source>The file %1 could not be read.</source>
        <translation>Le fichier %1 n&apos;a pas pu être lu.</translation>
    </message>
    <message>
        <source>The user file &quot;%1&quot; cannot be read: %2. Nothing was saved.</source>
        <translation>Le fichier des utilisateurs «&#xa0;%1&#xa0;» ne peut pas être lu&#xa0;: %2. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is not in the user file %2. Nothing was saved.</source>
        <translation>L&apos;utilisateur «&#xa0;%1&#xa0;» ne figure pas dans le fichier des utilisateurs %2. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The group file &quot;%1&quot; cannot be read. Nothing was saved.</source>
        <translation>Le fichier des groupes «&#xa0;%1&#xa0;» ne peut pas être lu. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is not in the group file %2. Nothing was saved.</source>
        <translation>Le groupe «&#xa0;%1&#xa0;» ne figure pas dans le fichier des groupes %2. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; does not exist. Nothing was saved.</source>
        <translation>Le répertoire «&#xa0;%1&#xa0;» n&apos;existe pas. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The access file %1 is a folder, so nothing was saved.</source>
        <translation>Le fichier d&apos;accès %1 est un dossier&#xa0;; rien n&apos;a donc été enregistré.</translation>
    </message>
    <message>
        <source>The file %1 is a folder, so it was left as it is.</source>
        <translation>Le fichier %1 est un dossier&#xa0;; il reste donc tel quel.</translation>
    </message>
    <message>
        <source>No protection is saved for %1 in %2.</source>
        <translation>Aucune protection n&apos;est enregistrée pour %1 dans %2.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is read-only here: %2. Nothing was changed.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» est ici en lecture seule&#xa0;: %2. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>No password was generated: the system gave no random bytes.</source>
        <translation>Aucun mot de passe n&apos;a été généré&#xa0;: le système n&apos;a fourni aucun octet aléatoire.</translation>
    </message>
    <message>
        <source>Generated Password</source>
        <translation>Mot de passe généré</translation>
    </message>
    <message>
        <source>The password field now holds this password; it is shown only now:

%1</source>
        <translation>Le champ du mot de passe contient maintenant ce mot de passe&#xa0;; il n&apos;est affiché que maintenant&#xa0;:

%1</translation>
    </message>
    <message>
        <source>The cost is a whole number from %1 to %2.</source>
        <translation>Le coût est un nombre entier de %1 à %2.</translation>
    </message>
    <message>
        <source>Measuring one check at cost %1…</source>
        <translation>Mesure d&apos;une vérification au coût %1…</translation>
    </message>
    <message>
        <source>One check: %1 ms — every request to a protected page pays it.</source>
        <translation>Une vérification&#xa0;: %1 ms — chaque requête vers une page protégée la paie.</translation>
    </message>
    <message>
        <source>One check could not be measured: htpasswd gave no answer.</source>
        <translation>Une vérification n&apos;a pas pu être mesurée&#xa0;: htpasswd n&apos;a pas répondu.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is read-only here: %2. Keepgate will not write to it.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» est ici en lecture seule&#xa0;: %2. Keepgate n&apos;y écrira pas.</translation>
    </message>
    <message>
        <source>The password of &quot;%1&quot; is empty: without a password anyone who knows the name would be let in. Nothing was saved.</source>
        <translation>Le mot de passe de «&#xa0;%1&#xa0;» est vide&#xa0;: sans mot de passe, quiconque connaît le nom pourrait entrer. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The password contains a NUL character, which htpasswd would silently cut off there. Nothing was saved.</source>
        <translation>Le mot de passe contient un caractère NUL, où htpasswd le couperait sans rien dire. Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The password could not be hashed with &quot;%1&quot;. Nothing was saved.</source>
        <translation>Le mot de passe n&apos;a pas pu être haché avec «&#xa0;%1&#xa0;». Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is already in %2 with this password.</source>
        <translation>L&apos;utilisateur «&#xa0;%1&#xa0;» figure déjà dans %2 avec ce mot de passe.</translation>
    </message>
    <message>
        <source>The user &quot;%1&quot; is not in %2.</source>
        <translation>L&apos;utilisateur «&#xa0;%1&#xa0;» ne figure pas dans %2.</translation>
    </message>
    <message>
        <source>The chosen users are not in %1 as they were chosen.</source>
        <translation>Les utilisateurs choisis ne figurent plus dans %1 tels qu&apos;ils ont été choisis.</translation>
    </message>
    <message>
        <source>%1 (weak)</source>
        <translation>%1 (faible)</translation>
    </message>
    <message>
        <source>plain text</source>
        <translation>texte en clair</translation>
    </message>
    <message>
        <source>no password</source>
        <translation>aucun mot de passe</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 user has a weak password: %2</source>
        <translation>%1 utilisateur a un mot de passe faible&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 users have weak passwords: %2</source>
        <translation>%1 utilisateurs ont des mots de passe faibles&#xa0;: %2</translation>
    </message>
    <message>
        <source>No history is being kept: the folder %1 cannot be written. </source>
        <translation>Aucun historique n’est tenu : le dossier %1 n’est pas accessible en écriture. </translation>
    </message>
    <message>
        <source>1 entry is damaged and shown as such; Keepgate never restores them.</source>
        <translation>1 entrée est endommagée et affichée comme telle ; Keepgate ne restaure jamais les entrées endommagées.</translation>
    </message>
    <message>
        <source>%1 entries are damaged and shown as such; Keepgate never restores them.</source>
        <translation>%1 entrées sont endommagées et affichées comme telles ; Keepgate ne les restaure jamais.</translation>
    </message>
    <message>
        <source>%1%2</source>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>This entry is damaged (%1); Keepgate will not restore it.</source>
        <translation>Cette entrée est endommagée (%1) ; Keepgate ne la restaurera pas.</translation>
    </message>
    <message>
        <source>%1 could not be read before this change, so the history holds no bytes to put back.</source>
        <translation>%1 n’a pas pu être lu avant cette modification ; l’historique ne contient donc rien à remettre.</translation>
    </message>
    <message>
        <source>This entry is gone or damaged; Keepgate will not restore it.</source>
        <translation>Cette entrée a disparu ou est endommagée ; Keepgate ne la restaurera pas.</translation>
    </message>
    <message>
        <source>No difference.</source>
        <translation>Aucune différence.</translation>
    </message>
    <message>
        <source>What this change wrote is no longer on disk; the difference to what %1 holds now:

%2</source>
        <translation>Ce que cette modification a écrit n’est plus sur le disque ; la différence avec le contenu actuel de %1 :

%2</translation>
    </message>
    <message>
        <source>That change is no longer in the history, so nothing was restored.</source>
        <translation>Cette modification n’est plus dans l’historique ; rien n’a donc été restauré.</translation>
    </message>
    <message>
        <source>The change %1 cannot be restored: %2. Nothing was changed.</source>
        <translation>La modification %1 ne peut pas être restaurée : %2. Rien n’a été modifié.</translation>
    </message>
    <message>
        <source>%1 could not be read before %2, so Keepgate has no bytes to put back. Nothing was changed.</source>
        <translation>%1 n’a pas pu être lu avant %2 ; Keepgate n’a donc rien à remettre. Rien n’a été modifié.</translation>
    </message>
    <message>
        <source>%1 cannot be read now, so Keepgate cannot tell what a restore would replace. Nothing was changed.</source>
        <translation>%1 ne peut pas être lu maintenant ; Keepgate ne peut donc pas savoir ce qu’une restauration remplacerait. Rien n’a été modifié.</translation>
    </message>
    <message>
        <source>%1 already holds what it held before %2; nothing was changed</source>
        <translation>%1 contient déjà ce qu’il contenait avant %2 ; rien n’a été modifié</translation>
    </message>
    <message>
        <source>Changed Since</source>
        <translation>Modifié depuis</translation>
    </message>
    <message>
        <source>%1 was changed by another program after Keepgate wrote it (%2). Restoring it replaces what it holds now:

%3</source>
        <translation>%1 a été modifié par un autre programme après son écriture par Keepgate (%2). La restauration remplace son contenu actuel :

%3</translation>
    </message>
    <message>
        <source>Restore Anyway</source>
        <translation>Restaurer quand même</translation>
    </message>
    <message>
        <source>Restored %1 as before %2</source>
        <translation>%1 restauré tel qu’avant %2</translation>
    </message>
    <message>
        <source>Keepgate does not remove the web server&apos;s main configuration %1. Nothing was changed.</source>
        <translation>Keepgate ne supprime pas la configuration principale %1 du serveur web. Rien n’a été modifié.</translation>
    </message>
    <message>
        <source>Keepgate did not restore %1: %2. %3</source>
        <translation>Keepgate n’a pas restauré %1 : %2. %3</translation>
    </message>
    <message>
        <source>The file was not changed.</source>
        <translation>Le fichier n’a pas été modifié.</translation>
    </message>
    <message>
        <source>Compare it with its backup %1.</source>
        <translation>Comparez-le avec sa sauvegarde %1.</translation>
    </message>
    <message>
        <source>%1.</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1 (emptied: with administrator rights Keepgate replaces files but never deletes them)</source>
        <translation>%1 (vidé : avec les droits d’administrateur, Keepgate remplace les fichiers mais ne les supprime jamais)</translation>
    </message>
    <message>
        <source>Keepgate could not restore %1: %2.</source>
        <translation>Keepgate n’a pas pu restaurer %1 : %2.</translation>
    </message>
    <message>
        <source>Put back %1 after the server refused %2</source>
        <translation>%1 remis après le refus par le serveur de %2</translation>
    </message>
    <message>
        <source>The web server&apos;s configuration test refused %1 as it was before %2, so %3

%4</source>
        <translation>Le test de configuration du serveur web a refusé %1 tel qu’il était avant %2 ; par conséquent : %3

%4</translation>
    </message>
    <message>
        <source>Keepgate could not put back what it held: %1.</source>
        <translation>Keepgate n’a pas pu remettre ce qu’il contenait : %1.</translation>
    </message>
    <message>
        <source>Keepgate put back what it held.</source>
        <translation>Keepgate a remis ce qu’il contenait.</translation>
    </message>
    <message>
        <source>Keepgate could not remove %1 to restore it: %2.</source>
        <translation>Keepgate n’a pas pu supprimer %1 pour le restaurer : %2.</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Annuler&#xa0;: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Damaged entry: %1</source>
        <translation>Entrée endommagée : %1</translation>
    </message>
    <message>
        <source>the entry cannot be read</source>
        <translation>l’entrée ne peut pas être lue</translation>
    </message>
    <message>
        <source>the entry is not a Keepgate history entry or is cut short</source>
        <translation>l’entrée n’est pas une entrée d’historique de Keepgate ou est tronquée</translation>
    </message>
    <message>
        <source>the entry is cut short</source>
        <translation>l’entrée est tronquée</translation>
    </message>
    <message>
        <source>the entry&apos;s digest does not match what it holds</source>
        <translation>l’empreinte de l’entrée ne correspond pas à son contenu</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>ce n’est pas un dossier</translation>
    </message>
    <message>
        <source>its mode cannot be set to 0700 (%1)</source>
        <translation>ses droits ne peuvent pas être mis à 0700 (%1)</translation>
    </message>
    <message>
        <source>it cannot be written</source>
        <translation>il n’est pas accessible en écriture</translation>
    </message>
    <message>
        <source>Keepgate keeps no history of changes: the folder %1 cannot be used (%2).</source>
        <translation>Keepgate ne tient aucun historique des modifications : le dossier %1 ne peut pas être utilisé (%2).</translation>
    </message>
    <message>
        <source>it is not an absolute path</source>
        <translation>ce n’est pas un chemin absolu</translation>
    </message>
    <message>
        <source>Removed %1</source>
        <translation>%1 supprimé</translation>
    </message>
    <message>
        <source>Changed %1</source>
        <translation>%1 modifié</translation>
    </message>
    <message>
        <source>Created %1</source>
        <translation>%1 créé</translation>
    </message>
    <message>
        <source>The change &quot;%1&quot; is too large for the history, so it cannot be undone.</source>
        <translation>La modification « %1 » est trop grande pour l’historique ; elle ne peut donc pas être annulée.</translation>
    </message>
    <message>
        <source>Keepgate keeps no more history of changes: the folder %1 cannot be written (%2). &quot;%3&quot; was not recorded.</source>
        <translation>Keepgate ne tient plus d’historique des modifications : le dossier %1 n’est pas accessible en écriture (%2). « %3 » n’a pas été enregistré.</translation>
    </message>
</context>
<context>
    <name>QtWindowSystem</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Choose a Directory</source>
        <translation>Choisir un répertoire</translation>
    </message>
    <message>
        <source>New File</source>
        <translation>Nouveau fichier</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Nom d&apos;utilisateur&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe&#xa0;:</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::AboutDialog</name>
    <message>
        <source>About Keepgate</source>
        <translation>À propos de Keepgate</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Protects web directories of the Apache web server with user names and passwords: the user file, the group file and each directory&apos;s protection.</source>
        <translation>Protège les répertoires web du serveur web Apache par des noms d&apos;utilisateur et des mots de passe&#xa0;: le fichier des utilisateurs, le fichier des groupes et la protection de chaque répertoire.</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
        <translation>Logiciel libre sous licence GNU General Public License, version 3 ou ultérieure. Il est fourni sans aucune garantie.</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;Keepgate&apos;s home page&lt;/a&gt; · &lt;a href=&quot;%2&quot;&gt;The licence&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;%1&quot;&gt;Site de Keepgate&lt;/a&gt; · &lt;a href=&quot;%2&quot;&gt;La licence&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Keepgate&apos;s icon</source>
        <translation>Icône de Keepgate</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::GeneratedPasswordDialog</name>
    <message>
        <source>Generated Password</source>
        <translation>Mot de passe généré</translation>
    </message>
    <message>
        <source>The password field now holds this password. Keepgate keeps only its hash, so note the password now: it is not shown again.</source>
        <translation>Le champ du mot de passe contient maintenant ce mot de passe. Keepgate n&apos;en garde que l&apos;empreinte&#xa0;: notez le mot de passe maintenant, il ne sera plus affiché.</translation>
    </message>
    <message>
        <source>Generated password</source>
        <translation>Mot de passe généré</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Copy the password to the clipboard</source>
        <translation>Copier le mot de passe dans le presse-papiers</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copié</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::HistoryWindow</name>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Modification</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Changes, newest first</source>
        <translation>Modifications, la plus récente en premier</translation>
    </message>
    <message>
        <source>Difference the selected change made</source>
        <translation>Différence apportée par la modification sélectionnée</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>Restore the file as it was before the selected change</source>
        <translation>Restaurer le fichier tel qu&apos;il était avant la modification sélectionnée</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Close the history</source>
        <translation>Fermer l&apos;historique</translation>
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
        <translation>Utilisateurs</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Groupes</translation>
    </message>
    <message>
        <source>Directory Protection</source>
        <translation>Protection des répertoires</translation>
    </message>
    <message>
        <source>No user file chosen</source>
        <translation>Aucun fichier des utilisateurs choisi</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>New…</source>
        <translation>Nouveau…</translation>
    </message>
    <message>
        <source>No user file open — Choose… or New…</source>
        <translation>Aucun fichier des utilisateurs ouvert — «&#xa0;Choisir…&#xa0;» ou «&#xa0;Nouveau…&#xa0;»</translation>
    </message>
    <message>
        <source>No group file chosen</source>
        <translation>Aucun fichier des groupes choisi</translation>
    </message>
    <message>
        <source>Group name</source>
        <translation>Nom du groupe</translation>
    </message>
    <message>
        <source>Groups and their members</source>
        <translation>Groupes et leurs membres</translation>
    </message>
    <message>
        <source>No directory chosen</source>
        <translation>Aucun répertoire choisi</translation>
    </message>
    <message>
        <source>Shown when the browser asks for a password</source>
        <translation>Affiché quand le navigateur demande un mot de passe</translation>
    </message>
    <message>
        <source>Remove Protection</source>
        <translation>Supprimer la protection</translation>
    </message>
    <message>
        <source>The address the server publishes the directory under</source>
        <translation>L&apos;adresse sous laquelle le serveur publie le répertoire</translation>
    </message>
    <message>
        <source>Use Apache 2.4 rules</source>
        <translation>Utiliser les règles d&apos;Apache 2.4</translation>
    </message>
    <message>
        <source>Add Rule</source>
        <translation>Ajouter une règle</translation>
    </message>
    <message>
        <source>Remove Rule</source>
        <translation>Supprimer la règle</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utilisateur</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Groupe</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Règle</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Nom d&apos;hôte ou adresse IP</translation>
    </message>
    <message>
        <source>Hosts</source>
        <translation>Hôtes</translation>
    </message>
    <message>
        <source>Protection status</source>
        <translation>État de la protection</translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation>Corriger…</translation>
    </message>
    <message>
        <source>Test Again</source>
        <translation>Tester à nouveau</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>Ouvrir…</translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation>Préférences…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Keepgate ReadMe</source>
        <translation>Lisez-moi de Keepgate</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>Check Server…</source>
        <translation>Vérifier le serveur…</translation>
    </message>
    <message>
        <source>About Keepgate</source>
        <translation>À propos de Keepgate</translation>
    </message>
    <message>
        <source>&amp;Add User</source>
        <translation>A&amp;jouter l&apos;utilisateur</translation>
    </message>
    <message>
        <source>&amp;Delete User</source>
        <translation>Supprimer l&apos;uti&amp;lisateur</translation>
    </message>
    <message>
        <source>Change Pass&amp;word…</source>
        <translation>&amp;Changer le mot de passe…</translation>
    </message>
    <message>
        <source>Chec&amp;k Password…</source>
        <translation>&amp;Vérifier le mot de passe…</translation>
    </message>
    <message>
        <source>The users of the user file, each with the kind of hash of its password</source>
        <translation>Les utilisateurs du fichier des utilisateurs, chacun avec le type d&apos;empreinte de son mot de passe</translation>
    </message>
    <message>
        <source>&amp;User file:</source>
        <translation>Fichier des &amp;utilisateurs&#xa0;:</translation>
    </message>
    <message>
        <source>User file</source>
        <translation>Fichier des utilisateurs</translation>
    </message>
    <message>
        <source>User&amp;s:</source>
        <translation>Utili&amp;sateurs&#xa0;:</translation>
    </message>
    <message>
        <source>User &amp;name:</source>
        <translation>&amp;Nom d&apos;utilisateur&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>A&amp;dd Group</source>
        <translation>Ajouter le &amp;groupe</translation>
    </message>
    <message>
        <source>Delete &amp;Selected</source>
        <translation>&amp;Supprimer la sélection</translation>
    </message>
    <message>
        <source>The groups of the group file, each with its members</source>
        <translation>Les groupes du fichier des groupes, chacun avec ses membres</translation>
    </message>
    <message>
        <source>&amp;Group file:</source>
        <translation>Fichier des g&amp;roupes&#xa0;:</translation>
    </message>
    <message>
        <source>Group file</source>
        <translation>Fichier des groupes</translation>
    </message>
    <message>
        <source>Groups and their &amp;members:</source>
        <translation>Groupes et leurs &amp;membres&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;New group:</source>
        <translation>&amp;Nouveau groupe&#xa0;:</translation>
    </message>
    <message>
        <source>New group</source>
        <translation>Nouveau groupe</translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation>&amp;Utilisateur&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;to group</source>
        <translation>au gr&amp;oupe</translation>
    </message>
    <message>
        <source>Group to add the user to</source>
        <translation>Groupe auquel ajouter l&apos;utilisateur</translation>
    </message>
    <message>
        <source>&amp;Save Protection</source>
        <translation>Enregi&amp;strer la protection</translation>
    </message>
    <message>
        <source>&amp;Test Protection</source>
        <translation>&amp;Tester la protection</translation>
    </message>
    <message>
        <source>Protection test progress</source>
        <translation>Progression du test de protection</translation>
    </message>
    <message>
        <source>Admit e&amp;very user of the user file</source>
        <translation>Ad&amp;mettre tous les utilisateurs du fichier des utilisateurs</translation>
    </message>
    <message>
        <source>Deny all &amp;other hosts</source>
        <translation>Refuser t&amp;ous les autres hôtes</translation>
    </message>
    <message>
        <source>De&amp;ny rules first, then allow rules (deny,allow)</source>
        <translation>D&apos;abord les règles De&amp;ny, puis les règles Allow (deny,allow)</translation>
    </message>
    <message>
        <source>Allo&amp;w rules first, then deny rules (allow,deny)</source>
        <translation>D&apos;abord les règles Allo&amp;w, puis les règles Deny (allow,deny)</translation>
    </message>
    <message>
        <source>A password and an admitted host are &amp;both needed (and)</source>
        <translation>Un mot de passe et un hôte admis sont tous deux re&amp;quis (et)</translation>
    </message>
    <message>
        <source>Users of the user file</source>
        <translation>Utilisateurs du fichier des utilisateurs</translation>
    </message>
    <message>
        <source>The users of the directory&apos;s user file; a ticked user is admitted</source>
        <translation>Les utilisateurs du fichier des utilisateurs du répertoire&#xa0;; un utilisateur coché est admis</translation>
    </message>
    <message>
        <source>Groups of the group file</source>
        <translation>Groupes du fichier des groupes</translation>
    </message>
    <message>
        <source>The groups of the directory&apos;s group file; the members of a ticked group are admitted</source>
        <translation>Les groupes du fichier des groupes du répertoire&#xa0;; les membres d&apos;un groupe coché sont admis</translation>
    </message>
    <message>
        <source>Host rules</source>
        <translation>Règles d&apos;hôte</translation>
    </message>
    <message>
        <source>The host rules, each allowing or denying a host name or IP address</source>
        <translation>Les règles d&apos;hôte, chacune autorisant ou refusant un nom d&apos;hôte ou une adresse IP</translation>
    </message>
    <message>
        <source>Ti&amp;ck the users to admit:</source>
        <translation>&amp;Cochez les utilisateurs à admettre&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Members of the ticked groups are admitted.</source>
        <translation>&amp;Les membres des groupes cochés sont admis.</translation>
    </message>
    <message>
        <source>Host ru&amp;les:</source>
        <translation>Règles d&apos;&amp;hôte&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Directory:</source>
        <translation>Ré&amp;pertoire&#xa0;:</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Répertoire</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>Adr&amp;esse&#xa0;:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>&amp;Realm name:</source>
        <translation>Nom du &amp;domaine&#xa0;:</translation>
    </message>
    <message>
        <source>Realm name</source>
        <translation>Nom du domaine</translation>
    </message>
    <message>
        <source>Chec&amp;k Server</source>
        <translation>&amp;Vérifier le serveur</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Annuler&#xa0;: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>A password or an adm&amp;itted host is enough (or)</source>
        <translation>Un mot de passe ou un hôte admis suff&amp;it (ou)</translation>
    </message>
    <message>
        <source>Passwords stored as plain text</source>
        <translation>Mots de passe stockés en clair</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Historique…</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>Filter users</source>
        <translation>Filtrer les utilisateurs</translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation>Fil&amp;tre&#xa0;:</translation>
    </message>
    <message>
        <source>Filter users by name</source>
        <translation>Filtrer les utilisateurs par nom</translation>
    </message>
    <message>
        <source>Show only users with weak passwords</source>
        <translation>N&apos;afficher que les utilisateurs aux mots de passe faibles</translation>
    </message>
    <message>
        <source>&amp;Generate</source>
        <translation>&amp;Générer</translation>
    </message>
    <message>
        <source>Generate a password</source>
        <translation>Générer un mot de passe</translation>
    </message>
    <message>
        <source>Puts a new random password of 20 characters into the password field</source>
        <translation>Place un nouveau mot de passe aléatoire de 20 caractères dans le champ du mot de passe</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Effacer le filtre</translation>
    </message>
    <message>
        <source>Sh&amp;ow Weak</source>
        <translation>Afficher les fai&amp;bles</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::PreferencesWindow</name>
    <message>
        <source>Keepgate Preferences</source>
        <translation>Préférences de Keepgate</translation>
    </message>
    <message>
        <source>Keep each directory&apos;s protection settings in</source>
        <translation>Conserver les réglages de protection de chaque répertoire dans</translation>
    </message>
    <message>
        <source>Changes to this choice are checked against the web server&apos;s configuration at the next start.</source>
        <translation>Les changements de ce choix sont vérifiés par rapport à la configuration du serveur web au prochain démarrage.</translation>
    </message>
    <message>
        <source>Web server</source>
        <translation>Serveur web</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>an &amp;access file inside the directory, named:</source>
        <translation>un fichier d&apos;&amp;accès dans le répertoire, nommé&#xa0;:</translation>
    </message>
    <message>
        <source>one shared web-server &amp;configuration file:</source>
        <translation>un fichier de &amp;configuration partagé du serveur web&#xa0;:</translation>
    </message>
    <message>
        <source>Access file name</source>
        <translation>Nom du fichier d&apos;accès</translation>
    </message>
    <message>
        <source>Shared configuration file</source>
        <translation>Fichier de configuration partagé</translation>
    </message>
    <message>
        <source>&amp;Detect</source>
        <translation>&amp;Détecter</translation>
    </message>
    <message>
        <source>&amp;Main configuration file:</source>
        <translation>Fichier de configuration &amp;principal&#xa0;:</translation>
    </message>
    <message>
        <source>Main configuration file</source>
        <translation>Fichier de configuration principal</translation>
    </message>
    <message>
        <source>Check for a newer &amp;version at start</source>
        <translation>Rechercher une &amp;version plus récente au démarrage</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Afficher les fic&amp;hiers cachés</translation>
    </message>
    <message>
        <source>Hash new &amp;passwords with:</source>
        <translation>Hacher les nouveaux &amp;mots de passe avec&#xa0;:</translation>
    </message>
    <message>
        <source>Hash for new passwords</source>
        <translation>Empreinte des nouveaux mots de passe</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>&amp;Rétablir les valeurs par défaut</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>bcrypt cost</source>
        <translation>Coût bcrypt</translation>
    </message>
    <message>
        <source>&amp;bcrypt cost:</source>
        <translation>Coût &amp;bcrypt&#xa0;:</translation>
    </message>
</context>
<context>
    <name>keepgate::qt::ServerCheckWindow</name>
    <message>
        <source>Server Check</source>
        <translation>Vérification du serveur</translation>
    </message>
    <message>
        <source>Check &amp;Again</source>
        <translation>&amp;Vérifier à nouveau</translation>
    </message>
    <message>
        <source>Check the server again</source>
        <translation>Vérifier de nouveau le serveur</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Reading the web server&apos;s configuration…</source>
        <translation>Lecture de la configuration du serveur web…</translation>
    </message>
    <message>
        <source>the web server</source>
        <translation>le serveur web</translation>
    </message>
    <message>
        <source>Nothing stands in the way of protecting %1.</source>
        <translation>Rien n&apos;empêche de protéger %1.</translation>
    </message>
    <message>
        <source>What stands in the way of protecting %1:</source>
        <translation>Ce qui empêche de protéger %1&#xa0;:</translation>
    </message>
    <message>
        <source>Fix…</source>
        <translation>Corriger…</translation>
    </message>
    <message>
        <source>Server check progress</source>
        <translation>Progression de la vérification du serveur</translation>
    </message>
</context>
</TS>
