<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>ErrorText</name>
    <message>
        <source>Unbalanced parenthesis</source>
        <translation>Parenthèse non équilibrée</translation>
    </message>
    <message>
        <source>Missing closing bracket</source>
        <translation>Crochet fermant manquant</translation>
    </message>
    <message>
        <source>Unknown escape sequence</source>
        <translation>Séquence d’échappement inconnue</translation>
    </message>
    <message>
        <source>Invalid Unicode property</source>
        <translation>Propriété Unicode non valide</translation>
    </message>
    <message>
        <source>Syntax error</source>
        <translation>Erreur de syntaxe</translation>
    </message>
    <message>
        <source>Invalid {min,max} repetition</source>
        <translation>Répétition {min,max} non valide</translation>
    </message>
    <message>
        <source>Repetition maximum is less than its minimum</source>
        <translation>Le maximum de la répétition est inférieur à son minimum</translation>
    </message>
    <message>
        <source>Number too large</source>
        <translation>Nombre trop grand</translation>
    </message>
    <message>
        <source>Reference to a group that does not exist</source>
        <translation>Référence à un groupe inexistant</translation>
    </message>
    <message>
        <source>Invalid match option</source>
        <translation>Option de correspondance non valide</translation>
    </message>
    <message>
        <source>Look-behind must have a bounded length</source>
        <translation>Une assertion arrière doit avoir une longueur bornée</translation>
    </message>
    <message>
        <source>Character class cannot contain a string</source>
        <translation>Une classe de caractères ne peut pas contenir de chaîne</translation>
    </message>
    <message>
        <source>Invalid character range</source>
        <translation>Plage de caractères non valide</translation>
    </message>
    <message>
        <source>Octal value too large</source>
        <translation>Valeur octale trop grande</translation>
    </message>
    <message>
        <source>Invalid group name</source>
        <translation>Nom de groupe non valide</translation>
    </message>
    <message>
        <source>Pattern too large</source>
        <translation>Motif trop grand</translation>
    </message>
    <message>
        <source>Unsupported construct</source>
        <translation>Construction non prise en charge</translation>
    </message>
    <message>
        <source>Replacement ends with a backslash</source>
        <translation>Le remplacement se termine par une barre oblique inverse</translation>
    </message>
    <message>
        <source>Dollar sign without a group (write \$ for a dollar sign)</source>
        <translation>Signe dollar sans groupe (écrivez \$ pour un signe dollar)</translation>
    </message>
    <message>
        <source>Missing closing brace</source>
        <translation>Accolade fermante manquante</translation>
    </message>
    <message>
        <source>Invalid replacement</source>
        <translation>Remplacement non valide</translation>
    </message>
    <message>
        <source>Invalid regular expression</source>
        <translation>Expression régulière non valide</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between names in a list</comment>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <comment>names, then how many are not listed</comment>
        <translation>
            <numerusform>%1 et %n autre</numerusform>
            <numerusform>%1 et %n autres</numerusform>
        </translation>
    </message>
    <message>
        <source>These items kept their names: %1</source>
        <translation>Ces éléments ont gardé leur nom&#xa0;: %1</translation>
    </message>
    <message>
        <source>Choose a destination outside the selected item.</source>
        <translation>Choisissez une destination en dehors de l’élément sélectionné.</translation>
    </message>
    <message>
        <source>The item changed while it was being moved. Nothing was changed.</source>
        <translation>L’élément a été modifié pendant son déplacement. Rien n’a été changé.</translation>
    </message>
    <message>
        <source>The item has been removed or replaced since the operation. Nothing was changed.</source>
        <translation>L’élément a été supprimé ou remplacé depuis l’opération. Rien n’a été changé.</translation>
    </message>
    <message>
        <source>This folder still contains items. Move them out before undoing folder creation.</source>
        <translation>Ce dossier contient encore des éléments. Déplacez-les avant d’annuler la création du dossier.</translation>
    </message>
    <message>
        <source>There is no trash on this item’s volume that can take it.</source>
        <translation>Aucune corbeille du volume de cet élément ne peut l’accueillir.</translation>
    </message>
    <message>
        <source>The archive could not be created. %1</source>
        <translation>L’archive n’a pas pu être créée. %1</translation>
    </message>
    <message>
        <source>Not a valid name: %1</source>
        <translation>Nom non valide&#xa0;: %1</translation>
    </message>
    <message>
        <source>Two items would get the same name: %1</source>
        <translation>Deux éléments recevraient le même nom&#xa0;: %1</translation>
    </message>
    <message>
        <source>Items in the trash can’t be renamed together.</source>
        <translation>Les éléments de la corbeille ne peuvent pas être renommés ensemble.</translation>
    </message>
    <message>
        <source>The item could not be given back its name and is now called %1</source>
        <translation>L’élément n’a pas pu reprendre son nom et s’appelle maintenant %1</translation>
    </message>
    <message>
        <source>%1 A partial copy could not be removed and remains at “%2” (%3).</source>
        <comment>the failure, then where a partial copy remains and why</comment>
        <translation>%1 Une copie partielle n’a pas pu être supprimée et se trouve toujours à «&#xa0;%2&#xa0;» (%3).</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>an item&apos;s name, then why it failed</comment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>This folder cannot be read. Choose an accessible folder.</source>
        <translation>Ce dossier ne peut pas être lu. Choisissez un dossier accessible.</translation>
    </message>
    <message>
        <source>Could not enumerate this folder.</source>
        <translation>Impossible de lister le contenu de ce dossier.</translation>
    </message>
    <message>
        <source>%1 at position %2</source>
        <comment>what is wrong with a pattern, then where</comment>
        <translation>%1 à la position %2</translation>
    </message>
    <message>
        <source>Unchanged</source>
        <comment>a name a batch rename leaves as it is</comment>
        <translation>Inchangé</translation>
    </message>
    <message>
        <source>Renamed</source>
        <comment>a name a batch rename changes</comment>
        <translation>Renommé</translation>
    </message>
    <message>
        <source>The new name is empty</source>
        <translation>Le nouveau nom est vide</translation>
    </message>
    <message>
        <source>The new name can’t be “.” or “..”</source>
        <translation>Le nouveau nom ne peut pas être «&#xa0;.&#xa0;» ou «&#xa0;..&#xa0;»</translation>
    </message>
    <message>
        <source>The new name can’t contain “/” or a NUL character</source>
        <translation>Le nouveau nom ne peut contenir ni «&#xa0;/&#xa0;» ni caractère NUL</translation>
    </message>
    <message>
        <source>The new name is longer than the file system allows</source>
        <translation>Le nouveau nom est plus long que ne le permet le système de fichiers</translation>
    </message>
    <message>
        <source>An item with this name already exists in the folder</source>
        <translation>Un élément portant ce nom existe déjà dans le dossier</translation>
    </message>
    <message>
        <source>Another selected item gets the same name</source>
        <translation>Un autre élément sélectionné reçoit le même nom</translation>
    </message>
    <message>
        <source>The pattern took too long on this name</source>
        <translation>Le motif a pris trop de temps sur ce nom</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Open With</source>
        <translation>Ouvrir avec</translation>
    </message>
    <message>
        <source>Other…</source>
        <translation>Autre…</translation>
    </message>
    <message>
        <source>Reveal in File Manager</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>tooltip: a command&apos;s title and its shortcut</comment>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>qb::ApplicationChooser</name>
    <message>
        <source>Open With</source>
        <translation>Ouvrir avec</translation>
    </message>
    <message>
        <source>Filter applications</source>
        <translation>Filtrer les applications</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Applications</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
</context>
<context>
    <name>qb::Applications</name>
    <message>
        <source>The application could not start.</source>
        <translation>L’application n’a pas pu démarrer.</translation>
    </message>
    <message>
        <source>The application “%1” could not be found.</source>
        <translation>L’application «&#xa0;%1&#xa0;» est introuvable.</translation>
    </message>
</context>
<context>
    <name>qb::Commands</name>
    <message>
        <source>Choose Search Folder…</source>
        <translation>Choisir le dossier de recherche…</translation>
    </message>
    <message>
        <source>Save Search…</source>
        <translation>Enregistrer la recherche…</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fermer la fenêtre</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>Rechercher…</translation>
    </message>
    <message>
        <source>Run Search</source>
        <translation>Lancer la recherche</translation>
    </message>
    <message>
        <source>Stop Search</source>
        <translation>Arrêter la recherche</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Quillbrook Help</source>
        <translation>Aide de Quillbrook</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Quick Look</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Reveal in File Manager</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Copy Items</source>
        <translation>Copier les éléments</translation>
    </message>
    <message>
        <source>Copy Paths</source>
        <translation>Copier les chemins</translation>
    </message>
    <message>
        <source>Get Info</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Undo Rename</source>
        <translation>Annuler le renommage</translation>
    </message>
    <message>
        <source>Undo File Operation</source>
        <translation>Annuler l’opération sur les fichiers</translation>
    </message>
    <message>
        <source>Redo Rename</source>
        <translation>Rétablir le renommage</translation>
    </message>
    <message>
        <source>Copy Item</source>
        <translation>Copier l’élément</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Copier le chemin</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Results</source>
        <translation>&amp;Résultats</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
</context>
<context>
    <name>qb::DesktopServices</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>qb::EmptyState</name>
    <message>
        <source>PDF files</source>
        <translation>Fichiers PDF</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Clear Filters</source>
        <translation>Effacer les filtres</translation>
    </message>
    <message>
        <source>Edit Pattern</source>
        <translation>Modifier le motif</translation>
    </message>
    <message>
        <source>Searching %1…</source>
        <translation>Recherche dans %1…</translation>
    </message>
    <message>
        <source>Matches appear as they’re found.</source>
        <translation>Les résultats apparaissent au fur et à mesure.</translation>
    </message>
    <message>
        <source>Find exactly the files you need</source>
        <translation>Trouvez exactement les fichiers dont vous avez besoin</translation>
    </message>
    <message>
        <source>Enter a pattern above, then press Return.</source>
        <translation>Saisissez un motif ci-dessus, puis appuyez sur Entrée.</translation>
    </message>
    <message>
        <source>Search stopped</source>
        <translation>Recherche arrêtée</translation>
    </message>
    <message>
        <source>Change the pattern or search again when you’re ready.</source>
        <translation>Modifiez le motif ou relancez la recherche quand vous le souhaitez.</translation>
    </message>
    <message>
        <source>No matches with these filters</source>
        <translation>Aucun résultat avec ces filtres</translation>
    </message>
    <message>
        <source>Search unavailable</source>
        <translation>Recherche impossible</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>Try a broader pattern, another folder, or include subfolders.</source>
        <translation>Essayez un motif plus large, un autre dossier, ou incluez les sous-dossiers.</translation>
    </message>
</context>
<context>
    <name>qb::ExampleButton</name>
    <message>
        <source>Use this pattern</source>
        <translation>Utiliser ce motif</translation>
    </message>
</context>
<context>
    <name>qb::FileActionMenu</name>
    <message>
        <source>Move to…</source>
        <translation>Déplacer vers…</translation>
    </message>
    <message>
        <source>Copy to…</source>
        <translation>Copier vers…</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Dupliquer</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Renommer…</translation>
    </message>
    <message>
        <source>Rename Matches…</source>
        <translation>Renommer les résultats…</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>Mettre à la corbeille</translation>
    </message>
    <message>
        <source>New Folder…</source>
        <translation>Nouveau dossier…</translation>
    </message>
    <message>
        <source>Compress “%1”</source>
        <translation>Compresser «&#xa0;%1&#xa0;»</translation>
    </message>
    <message numerus="yes">
        <source>New Folder with Selection (%Ln Item(s))…</source>
        <translation>
            <numerusform>Nouveau dossier avec la sélection (%Ln élément)…</numerusform>
            <numerusform>Nouveau dossier avec la sélection (%Ln éléments)…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Compress %Ln Item(s)</source>
        <translation>
            <numerusform>Compresser %Ln élément</numerusform>
            <numerusform>Compresser %Ln éléments</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::FileInfoView</name>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Get Info</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Indisponible</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>kind</comment>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>File</source>
        <comment>kind</comment>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Folder (contents not counted)</source>
        <translation>Dossier (contenu non compté)</translation>
    </message>
    <message>
        <source>Read &amp; Write</source>
        <translation>Lecture et écriture</translation>
    </message>
    <message>
        <source>Read Only or Unavailable</source>
        <translation>Lecture seule ou indisponible</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Création</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Modification</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Accès</translation>
    </message>
    <message numerus="yes">
        <source>Info for %Ln Item(s)</source>
        <translation>
            <numerusform>Informations sur %Ln élément</numerusform>
            <numerusform>Informations sur %Ln éléments</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::MainWindow</name>
    <message>
        <source>Quillbrook</source>
        <translation>Quillbrook</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d’outils</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Barre latérale</translation>
    </message>
    <message>
        <source>Show or hide saved searches</source>
        <translation>Afficher ou masquer les recherches enregistrées</translation>
    </message>
    <message>
        <source>Saved Searches</source>
        <translation>Recherches enregistrées</translation>
    </message>
    <message>
        <source>Saved searches</source>
        <translation>Recherches enregistrées</translation>
    </message>
    <message>
        <source>No saved searches</source>
        <translation>Aucune recherche enregistrée</translation>
    </message>
    <message>
        <source>Save Current Search…</source>
        <translation>Enregistrer la recherche actuelle…</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>Window layout and settings</source>
        <translation>Disposition de la fenêtre et paramètres</translation>
    </message>
    <message>
        <source>Window Layout</source>
        <translation>Disposition de la fenêtre</translation>
    </message>
    <message>
        <source>Focused</source>
        <translation>Concentré</translation>
    </message>
    <message>
        <source>Workspace</source>
        <translation>Espace de travail</translation>
    </message>
    <message>
        <source>Compact</source>
        <translation>Compact</translation>
    </message>
    <message>
        <source>Pattern Reference</source>
        <translation>Référence des motifs</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
</context>
<context>
    <name>qb::PatternHelp</name>
    <message>
        <source>Pattern Reference</source>
        <translation>Référence des motifs</translation>
    </message>
    <message>
        <source>Close reference</source>
        <translation>Fermer la référence</translation>
    </message>
    <message>
        <source>A pattern matches anywhere in a name. Use ^ for the beginning and $ for the end.</source>
        <translation>Un motif correspond n’importe où dans un nom. Utilisez ^ pour le début et $ pour la fin.</translation>
    </message>
    <message>
        <source>Searches filenames and paths using ICU regular expressions. File contents, package contents, and symlink destinations aren’t searched.</source>
        <translation>Recherche dans les noms de fichiers et les chemins avec des expressions régulières ICU. Le contenu des fichiers, le contenu des paquets et la cible des liens symboliques ne sont pas examinés.</translation>
    </message>
    <message>
        <source>PDF files</source>
        <translation>Fichiers PDF</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Starts with Report</source>
        <translation>Commence par « Report »</translation>
    </message>
    <message>
        <source>Contains a year</source>
        <translation>Contient une année</translation>
    </message>
    <message>
        <source>Any number of characters</source>
        <translation>Un nombre quelconque de caractères</translation>
    </message>
    <message>
        <source>Any character</source>
        <translation>Un caractère quelconque</translation>
    </message>
    <message>
        <source>A digit</source>
        <translation>Un chiffre</translation>
    </message>
    <message>
        <source>A literal dot</source>
        <translation>Un point littéral</translation>
    </message>
    <message>
        <source>Either a or b</source>
        <translation>Soit a, soit b</translation>
    </message>
</context>
<context>
    <name>qb::PreferencesView</name>
    <message>
        <source>Quillbrook Settings</source>
        <translation>Paramètres de Quillbrook</translation>
    </message>
    <message>
        <source>Presentation</source>
        <translation>Présentation</translation>
    </message>
    <message>
        <source>Window layout</source>
        <translation>Disposition de la fenêtre</translation>
    </message>
    <message>
        <source>Focused</source>
        <translation>Concentré</translation>
    </message>
    <message>
        <source>Workspace</source>
        <translation>Espace de travail</translation>
    </message>
    <message>
        <source>Compact</source>
        <translation>Compact</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>Search as you type</source>
        <translation>Rechercher pendant la saisie</translation>
    </message>
    <message>
        <source>Waits briefly after typing. Turn off for Return-only searches on large folders.</source>
        <translation>Attend un court instant après la saisie. Désactivez cette option pour ne rechercher qu’avec Entrée dans les grands dossiers.</translation>
    </message>
    <message>
        <source>Remember the last search folder</source>
        <translation>Mémoriser le dernier dossier de recherche</translation>
    </message>
    <message>
        <source>Run saved searches when opened</source>
        <translation>Lancer les recherches enregistrées à l’ouverture</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apparence</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Clair</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Sombre</translation>
    </message>
    <message>
        <source>System follows your desktop’s appearance. Your desktop’s accent color is used in every mode.</source>
        <translation>«&#xa0;Système&#xa0;» suit l’apparence de votre bureau. La couleur d’accentuation de votre bureau est utilisée dans tous les modes.</translation>
    </message>
    <message>
        <source>Search controls and a spacious results list.</source>
        <translation>Les champs de recherche et une vaste liste de résultats.</translation>
    </message>
    <message>
        <source>Keep saved searches and recent folders alongside results.</source>
        <translation>Les recherches enregistrées et les dossiers récents à côté des résultats.</translation>
    </message>
    <message>
        <source>Start small. Expand the window when you search.</source>
        <translation>Commencer petit. La fenêtre s’agrandit quand vous lancez une recherche.</translation>
    </message>
</context>
<context>
    <name>qb::Preview</name>
    <message>
        <source>Folder</source>
        <comment>kind</comment>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>File</source>
        <comment>kind</comment>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Modified %1</source>
        <translation>Modifié le %1</translation>
    </message>
    <message>
        <source>This item is no longer available.</source>
        <translation>Cet élément n’est plus disponible.</translation>
    </message>
    <message>
        <source>This item can’t be read.</source>
        <translation>Cet élément ne peut pas être lu.</translation>
    </message>
    <message>
        <source>This file is empty.</source>
        <translation>Ce fichier est vide.</translation>
    </message>
    <message>
        <source>This image can’t be shown.</source>
        <translation>Cette image ne peut pas être affichée.</translation>
    </message>
    <message>
        <source>This PDF is protected by a password.</source>
        <translation>Ce PDF est protégé par un mot de passe.</translation>
    </message>
    <message>
        <source>This PDF can’t be shown.</source>
        <translation>Ce PDF ne peut pas être affiché.</translation>
    </message>
</context>
<context>
    <name>qb::PreviewWindow</name>
    <message>
        <source>Text preview</source>
        <translation>Aperçu du texte</translation>
    </message>
    <message>
        <source>Pages 1–%1 of %2</source>
        <translation>Pages 1 à %1 sur %2</translation>
    </message>
    <message>
        <source>%1 (%2 of %3)</source>
        <comment>window title: name, position among the items previewed</comment>
        <translation>%1 (%2 sur %3)</translation>
    </message>
</context>
<context>
    <name>qb::RenameMatchesDialog</name>
    <message>
        <source>Rename Matches</source>
        <translation>Renommer les résultats</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Respecter la casse</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>Rechercher&#xa0;:</translation>
    </message>
    <message>
        <source>$1, ${name}, $0; \$ for a dollar sign</source>
        <translation>$1, ${name}, $0&#xa0;; \$ pour un signe dollar</translation>
    </message>
    <message>
        <source>Replace all occurrences</source>
        <translation>Remplacer toutes les occurrences</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>Remplacer par&#xa0;:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message numerus="yes">
        <source>Rename %Ln Item(s)</source>
        <translation>
            <numerusform>Renommer %Ln élément</numerusform>
            <numerusform>Renommer %Ln éléments</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::RenamePreviewModel</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>New Name</source>
        <translation>Nouveau nom</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
</context>
<context>
    <name>qb::ResultArea</name>
    <message>
        <source>Search changed. Results below are from the previous search.</source>
        <translation>La recherche a changé. Les résultats ci-dessous proviennent de la recherche précédente.</translation>
    </message>
    <message>
        <source>Update Results</source>
        <translation>Mettre à jour les résultats</translation>
    </message>
    <message>
        <source>Couldn’t finish searching</source>
        <translation>La recherche n’a pas pu aboutir</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Choisir un dossier…</translation>
    </message>
</context>
<context>
    <name>qb::ResultFilterBar</name>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Modifié</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Any Kind</source>
        <translation>Tous les types</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Archives</source>
        <translation>Archives</translation>
    </message>
    <message>
        <source>Any Size</source>
        <translation>Toute taille</translation>
    </message>
    <message>
        <source>Under 1 MB</source>
        <translation>Moins de 1 Mo</translation>
    </message>
    <message>
        <source>1–100 MB</source>
        <translation>1 à 100 Mo</translation>
    </message>
    <message>
        <source>Over 100 MB</source>
        <translation>Plus de 100 Mo</translation>
    </message>
    <message>
        <source>Any Date</source>
        <translation>Toute date</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>Last 7 Days</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>30 derniers jours</translation>
    </message>
</context>
<context>
    <name>qb::ResultsTableModel</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Emplacement</translation>
    </message>
    <message numerus="yes">
        <source>%Ln byte(s)</source>
        <comment>size</comment>
        <translation>
            <numerusform>%Ln octet</numerusform>
            <numerusform>%Ln octets</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::ResultsView</name>
    <message>
        <source>Results</source>
        <translation>Résultats</translation>
    </message>
</context>
<context>
    <name>qb::SaveSheet</name>
    <message>
        <source>Save Search</source>
        <translation>Enregistrer la recherche</translation>
    </message>
    <message>
        <source>Keep this pattern, folder, and search options together.</source>
        <translation>Conserver ensemble ce motif, ce dossier et ces options de recherche.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
</context>
<context>
    <name>qb::SearchControls</name>
    <message>
        <source>Search in</source>
        <translation>Rechercher dans</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Enter a regular expression</source>
        <translation>Saisissez une expression régulière</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Expression régulière</translation>
    </message>
    <message>
        <source>Press Return to search the selected folder</source>
        <translation>Appuyez sur Entrée pour rechercher dans le dossier choisi</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Full Path</source>
        <translation>Chemin complet</translation>
    </message>
    <message>
        <source>Match against</source>
        <translation>Comparer avec</translation>
    </message>
    <message>
        <source>Subfolders</source>
        <translation>Sous-dossiers</translation>
    </message>
    <message>
        <source>Case sensitivity and hidden items</source>
        <translation>Casse et éléments cachés</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>Respecter la casse</translation>
    </message>
    <message>
        <source>Include Hidden Items</source>
        <translation>Inclure les éléments cachés</translation>
    </message>
    <message>
        <source>Search as You Type</source>
        <translation>Rechercher pendant la saisie</translation>
    </message>
    <message>
        <source>Regex reference and examples</source>
        <translation>Référence et exemples d’expressions régulières</translation>
    </message>
    <message>
        <source>Regex reference</source>
        <translation>Référence des expressions régulières</translation>
    </message>
    <message>
        <source>This expression is incomplete or invalid. Check brackets, parentheses, and escapes.</source>
        <translation>Cette expression est incomplète ou non valide. Vérifiez les crochets, les parenthèses et les échappements.</translation>
    </message>
    <message>
        <source>Options •</source>
        <translation>Options •</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Filters •</source>
        <translation>Filtres •</translation>
    </message>
    <message>
        <source>Filters</source>
        <translation>Filtres</translation>
    </message>
    <message>
        <source>Live search</source>
        <translation>Recherche instantanée</translation>
    </message>
    <message>
        <source>Press Return to search</source>
        <translation>Appuyez sur Entrée pour rechercher</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Choisir un dossier…</translation>
    </message>
</context>
<context>
    <name>qb::SearchModel</name>
    <message>
        <source>Copy</source>
        <comment>button of the folder panel</comment>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Move</source>
        <comment>button of the folder panel</comment>
        <translation>Déplacer</translation>
    </message>
    <message numerus="yes">
        <source>Choose a destination for %n selected items. Existing items won’t be replaced.</source>
        <translation>
            <numerusform>Choisissez une destination pour %n élément sélectionné. Les éléments existants ne seront pas remplacés.</numerusform>
            <numerusform>Choisissez une destination pour %n éléments sélectionnés. Les éléments existants ne seront pas remplacés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Copying…</source>
        <translation>Copie…</translation>
    </message>
    <message>
        <source>Moving…</source>
        <translation>Déplacement…</translation>
    </message>
    <message>
        <source>New Folder</source>
        <comment>title of the dialog</comment>
        <translation>Nouveau dossier</translation>
    </message>
    <message>
        <source>New Folder with Selection</source>
        <comment>title of the dialog</comment>
        <translation>Nouveau dossier avec la sélection</translation>
    </message>
    <message>
        <source>Create a folder in %1.</source>
        <translation>Créer un dossier dans %1.</translation>
    </message>
    <message numerus="yes">
        <source>Create a folder in %1 and move %n selected items into it.</source>
        <translation>
            <numerusform>Créer un dossier dans %1 et y déplacer %n élément sélectionné.</numerusform>
            <numerusform>Créer un dossier dans %1 et y déplacer %n éléments sélectionnés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>New Folder</source>
        <comment>the name a new folder gets unless another is typed</comment>
        <translation>Nouveau dossier</translation>
    </message>
    <message>
        <source>Enter a valid folder name without slashes or colons.</source>
        <translation>Saisissez un nom de dossier valide, sans barre oblique ni deux-points.</translation>
    </message>
    <message>
        <source>Creating Folder…</source>
        <translation>Création du dossier…</translation>
    </message>
    <message>
        <source>Compressing…</source>
        <translation>Compression…</translation>
    </message>
    <message>
        <source>Moving to Trash…</source>
        <translation>Mise à la corbeille…</translation>
    </message>
    <message>
        <source>Duplicating…</source>
        <translation>Duplication…</translation>
    </message>
    <message>
        <source>Rename “%1”</source>
        <translation>Renommer «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Rename</source>
        <comment>button of the rename dialog</comment>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Enter a valid filename without slashes or colons.</source>
        <translation>Saisissez un nom de fichier valide, sans barre oblique ni deux-points.</translation>
    </message>
    <message>
        <source>Renaming…</source>
        <translation>Renommage…</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Some items couldn’t be changed</source>
        <translation>Certains éléments n’ont pas pu être modifiés</translation>
    </message>
    <message>
        <source>Redoing…</source>
        <translation>Rétablissement…</translation>
    </message>
    <message>
        <source>Undoing…</source>
        <translation>Annulation…</translation>
    </message>
    <message>
        <source>Redone</source>
        <translation>Rétabli</translation>
    </message>
    <message>
        <source>Undone</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>Some items couldn’t be restored</source>
        <translation>Certains éléments n’ont pas pu être restaurés</translation>
    </message>
    <message>
        <source>Drop a single folder to search it.</source>
        <translation>Déposez un seul dossier pour y lancer une recherche.</translation>
    </message>
    <message>
        <source>Search Here</source>
        <comment>button of the folder panel</comment>
        <translation>Rechercher ici</translation>
    </message>
    <message>
        <source>Choose the folder to search.</source>
        <translation>Choisissez le dossier dans lequel rechercher.</translation>
    </message>
</context>
<context>
    <name>qb::SearchView</name>
    <message>
        <source>Pattern examples</source>
        <translation>Exemples de motifs</translation>
    </message>
    <message>
        <source>Searches as you type</source>
        <translation>Recherche pendant la saisie</translation>
    </message>
    <message>
        <source>Return to search</source>
        <translation>Entrée pour rechercher</translation>
    </message>
    <message>
        <source>File Operation</source>
        <translation>Opération sur les fichiers</translation>
    </message>
</context>
<context>
    <name>qb::Sidebar</name>
    <message>
        <source>Sidebar</source>
        <translation>Barre latérale</translation>
    </message>
    <message>
        <source>Saved Searches</source>
        <translation>Recherches enregistrées</translation>
    </message>
    <message>
        <source>Save a pattern to use it again.</source>
        <translation>Enregistrez un motif pour le réutiliser.</translation>
    </message>
    <message>
        <source>Save Search…</source>
        <translation>Enregistrer la recherche…</translation>
    </message>
    <message>
        <source>Recent Folders</source>
        <translation>Dossiers récents</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Choisir un dossier…</translation>
    </message>
    <message>
        <source>Remove Saved Search</source>
        <translation>Supprimer la recherche enregistrée</translation>
    </message>
</context>
<context>
    <name>qb::SkippedItemsModel</name>
    <message>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Emplacement</translation>
    </message>
</context>
<context>
    <name>qb::SkippedSheet</name>
    <message>
        <source>The pattern took too long</source>
        <translation>Le motif a pris trop de temps</translation>
    </message>
    <message>
        <source>Gone during the search</source>
        <translation>Disparu pendant la recherche</translation>
    </message>
    <message>
        <source>Skipped Items</source>
        <translation>Éléments ignorés</translation>
    </message>
    <message>
        <source>Skipped items</source>
        <translation>Éléments ignorés</translation>
    </message>
    <message>
        <source>Reveal in File Manager</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Copy Paths</source>
        <translation>Copier les chemins</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message numerus="yes">
        <source>%Ln folder(s) couldn’t be read</source>
        <translation>
            <numerusform>%Ln dossier n’a pas pu être lu</numerusform>
            <numerusform>%Ln dossiers n’ont pas pu être lus</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln name(s) took the pattern too long</source>
        <translation>
            <numerusform>Le motif a pris trop de temps sur %Ln nom</numerusform>
            <numerusform>Le motif a pris trop de temps sur %Ln noms</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln item(s) went away during the search</source>
        <translation>
            <numerusform>%Ln élément a disparu pendant la recherche</numerusform>
            <numerusform>%Ln éléments ont disparu pendant la recherche</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was skipped.</source>
        <translation>Rien n’a été ignoré.</translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>et %Ln autre</numerusform>
            <numerusform>et %Ln autres</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::Spinner</name>
    <message>
        <source>Busy</source>
        <translation>Occupé</translation>
    </message>
</context>
<context>
    <name>qb::StatusBar</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Dismiss file operation status</source>
        <translation>Masquer l’état de l’opération sur les fichiers</translation>
    </message>
    <message>
        <source>Show skipped items</source>
        <translation>Afficher les éléments ignorés</translation>
    </message>
    <message>
        <source>Search filenames and paths · Select results to preview or organize</source>
        <translation>Rechercher dans les noms et les chemins · Sélectionner des résultats pour les prévisualiser ou les organiser</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %Ln match(es)</source>
        <translation>
            <numerusform>%1 sur %Ln résultat</numerusform>
            <numerusform>%1 sur %Ln résultats</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln match(es)</source>
        <translation>
            <numerusform>%Ln résultat</numerusform>
            <numerusform>%Ln résultats</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 · %Ln item(s) searched</source>
        <translation>
            <numerusform>%1 · %Ln élément parcouru</numerusform>
            <numerusform>%1 · %Ln éléments parcourus</numerusform>
        </translation>
    </message>
    <message>
        <source>Stopped · %1</source>
        <translation>Arrêtée · %1</translation>
    </message>
    <message>
        <source>Showing the first 20,000 matches. Narrow your search to see fewer results.</source>
        <translation>Affichage des 20 000 premiers résultats. Affinez la recherche pour en obtenir moins.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln item(s) skipped because they couldn’t be read or the pattern took too long.</source>
        <translation>
            <numerusform>%Ln élément ignoré, car il n’a pas pu être lu ou le motif a pris trop de temps.</numerusform>
            <numerusform>%Ln éléments ignorés, car ils n’ont pas pu être lus ou le motif a pris trop de temps.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln selected</source>
        <translation>
            <numerusform>%Ln sélectionné</numerusform>
            <numerusform>%Ln sélectionnés</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 s</source>
        <comment>seconds</comment>
        <translation>%1 s</translation>
    </message>
</context>
</TS>
