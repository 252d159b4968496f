<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Kettlebay logo</source>
        <translation>Kettlebay-Logo</translation>
    </message>
    <message>
        <source>Larderly - Store your recipes in an easy to access file system. Compliments of Kettlebay</source>
        <translation>Larderly – bewahren Sie Ihre Rezepte in einem leicht zugänglichen Dateisystem auf. Mit freundlicher Empfehlung von Kettlebay</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Die Systeminformationen sind derzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>AppInfo</name>
    <message>
        <source>Copyright © 2026</source>
        <translation>Copyright © 2026</translation>
    </message>
    <message>
        <source>Warning: this program is protected by copyright. Copying or distributing it, or any part of it, without permission from Kettlebay is not allowed.</source>
        <translation>Warnung: Dieses Programm ist urheberrechtlich geschützt. Ohne Erlaubnis von Kettlebay darf es weder ganz noch in Teilen kopiert oder weitergegeben werden.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>ClockStatusBar</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation>Datum: %1</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Uhrzeit: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>A recipe box for the desktop: keep, search and print your recipes.</source>
        <translation>Ein Rezeptkasten für den Desktop: Rezepte aufbewahren, durchsuchen und drucken.</translation>
    </message>
    <message>
        <source>larderly: %1
Try &apos;larderly --help&apos; for more information.
</source>
        <translation>larderly: %1
»larderly --help« zeigt weitere Informationen.
</translation>
    </message>
    <message>
        <source>larderly: unexpected argument &apos;%1&apos;
Try &apos;larderly --help&apos; for more information.
</source>
        <translation>larderly: unerwartetes Argument »%1«
»larderly --help« zeigt weitere Informationen.
</translation>
    </message>
</context>
<context>
    <name>ConvertCommand</name>
    <message>
        <source>Imports recipes from the files of other recipe programs into the Larderly recipe box, after its last
recipe, and exports the box for them.

Commands:
  import FILE...  adds the recipes of every file, or none when one of them cannot be read
  export FILE     writes every recipe of the box to the file

Formats (--format, or told by the file&apos;s name and what it begins with):
  mealmaster  Meal-Master text (.mmf, .mm, .txt): import and export
  mxp         MasterCook export text (.mxp, .txt): import
  recipeml    RecipeML (.xml, .rml): import
  jsonld      schema.org Recipe JSON-LD (.json, .jsonld), or a saved web page holding it
              (.html, .htm): import and export

The recipes are those Larderly opens, or those of --folder. Nothing is changed while a
Larderly window has them open, or while changes of a session that did not end normally wait.</source>
        <translation>Importiert Rezepte aus den Dateien anderer Rezeptprogramme in die Larderly-Rezeptbox, hinter ihr
letztes Rezept, und exportiert die Box für sie.

Befehle:
  import DATEI...  fügt die Rezepte aller Dateien hinzu, oder keines, wenn eine nicht lesbar ist
  export DATEI     schreibt alle Rezepte der Box in die Datei

Formate (--format, oder erkannt an Name und Anfang der Datei):
  mealmaster  Meal-Master-Text (.mmf, .mm, .txt): Import und Export
  mxp         MasterCook-Exporttext (.mxp, .txt): Import
  recipeml    RecipeML (.xml, .rml): Import
  jsonld      schema.org-Recipe als JSON-LD (.json, .jsonld), oder eine gespeicherte Webseite
              damit (.html, .htm): Import und Export

Es sind die Rezepte, die Larderly öffnet, oder die von --folder. Nichts wird geändert, solange
ein Larderly-Fenster sie geöffnet hat oder Änderungen einer nicht normal beendeten Sitzung warten.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>»%1 --help« zeigt weitere Informationen.</translation>
    </message>
    <message>
        <source>The format of the files: mealmaster, mxp, recipeml or jsonld.</source>
        <translation>Das Format der Dateien: mealmaster, mxp, recipeml oder jsonld.</translation>
    </message>
    <message>
        <source>format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>The folder of the recipes (RECIPES.DAT) instead of Larderly&apos;s.</source>
        <translation>Der Ordner der Rezepte (RECIPES.DAT) statt des Ordners von Larderly.</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>The encoding of Meal-Master and MasterCook files: cp437, windows-1252 or utf-8. By default it is told from the bytes on import, and is Windows-1252, or UTF-8 for text it cannot hold, on export.</source>
        <translation>Die Zeichenkodierung von Meal-Master- und MasterCook-Dateien: cp437, windows-1252 oder utf-8. Ohne Angabe wird sie beim Import an den Bytes erkannt; der Export schreibt Windows-1252, oder UTF-8 für Text, den Windows-1252 nicht fasst.</translation>
    </message>
    <message>
        <source>encoding</source>
        <translation>Kodierung</translation>
    </message>
    <message>
        <source>import or export</source>
        <translation>import oder export</translation>
    </message>
    <message>
        <source>import|export</source>
        <translation>import|export</translation>
    </message>
    <message>
        <source>The files to import, or the one to export to.</source>
        <translation>Die zu importierenden Dateien, oder die eine, in die exportiert wird.</translation>
    </message>
    <message>
        <source>FILE...</source>
        <translation>DATEI...</translation>
    </message>
    <message>
        <source>unknown format &apos;%1&apos;: mealmaster, mxp, recipeml or jsonld</source>
        <translation>unbekanntes Format »%1«: mealmaster, mxp, recipeml oder jsonld</translation>
    </message>
    <message>
        <source>unknown encoding &apos;%1&apos;: cp437, windows-1252 or utf-8</source>
        <translation>unbekannte Kodierung »%1«: cp437, windows-1252 oder utf-8</translation>
    </message>
    <message>
        <source>import needs the files to import</source>
        <translation>import braucht die zu importierenden Dateien</translation>
    </message>
    <message>
        <source>export needs one file to export to</source>
        <translation>export braucht eine Datei, in die exportiert wird</translation>
    </message>
    <message>
        <source>no command: import or export</source>
        <translation>kein Befehl: import oder export</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>unbekannter Befehl »%1«</translation>
    </message>
    <message>
        <source>There is no folder %1 for the recipes.</source>
        <translation>Es gibt keinen Ordner %1 für die Rezepte.</translation>
    </message>
    <message>
        <source>No recipe was imported.</source>
        <translation>Es wurde kein Rezept importiert.</translation>
    </message>
    <message>
        <source>The box holds %1 recipes, and %2 more would pass the 32,767 it can hold. No recipe was imported.</source>
        <translation>Die Box enthält %1 Rezepte, und %2 weitere gingen über die 32.767 hinaus, die sie fassen kann. Es wurde kein Rezept importiert.</translation>
    </message>
    <message>
        <source>Recipes imported: %1. %2 now holds %3.</source>
        <translation>Importierte Rezepte: %1. %2 enthält jetzt %3.</translation>
    </message>
    <message>
        <source>the name %1 does not tell the format: name it with --format mealmaster or --format jsonld</source>
        <translation>der Name %1 verrät das Format nicht: nennen Sie es mit --format mealmaster oder --format jsonld</translation>
    </message>
    <message>
        <source>recipes are exported as mealmaster or jsonld, not as %1</source>
        <translation>Rezepte werden als mealmaster oder jsonld exportiert, nicht als %1</translation>
    </message>
    <message>
        <source>There are no recipes in %1 to export.</source>
        <translation>In %1 gibt es keine Rezepte zu exportieren.</translation>
    </message>
    <message>
        <source>%1 is the recipe box itself: export to another file.</source>
        <translation>%1 ist die Rezeptbox selbst: exportieren Sie in eine andere Datei.</translation>
    </message>
    <message>
        <source>%1 was not written: %2</source>
        <translation>%1 wurde nicht geschrieben: %2</translation>
    </message>
    <message>
        <source>Recipes exported to %1: %2.</source>
        <translation>Nach %1 exportierte Rezepte: %2.</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>nicht lesbar: %1</translation>
    </message>
    <message>
        <source>not in a format this command reads (if it is one, name it with --format)</source>
        <translation>in keinem Format, das dieser Befehl liest (falls doch, nennen Sie es mit --format)</translation>
    </message>
    <message>
        <source>The recipes in %1 are open in a Larderly window. Close it, then try again.</source>
        <translation>Die Rezepte in %1 sind in einem Larderly-Fenster geöffnet. Schließen Sie es und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The recipes in %1 may be open in Larderly on another computer. Start Larderly, which asks whether to open them here, then try again.</source>
        <translation>Die Rezepte in %1 sind vielleicht in Larderly auf einem anderen Computer geöffnet. Starten Sie Larderly, das fragt, ob sie hier geöffnet werden sollen, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>Changes to the recipes in %1 from a Larderly session that did not end normally are waiting. Start Larderly to recover or discard them, then try again.</source>
        <translation>Änderungen an den Rezepten in %1 aus einer nicht normal beendeten Larderly-Sitzung warten. Starten Sie Larderly, um sie wiederherzustellen oder zu verwerfen, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>%1 could not be read whole. Open it in Larderly, which keeps a copy of a damaged file, then try again.</source>
        <translation>%1 ließ sich nicht vollständig lesen. Öffnen Sie die Datei in Larderly, das eine Kopie einer beschädigten Datei aufhebt, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2. It is as it was.</source>
        <translation>%1 konnte nicht gespeichert werden: %2. Die Datei ist unverändert.</translation>
    </message>
</context>
<context>
    <name>DefaultPrinter</name>
    <message>
        <source>Printer error</source>
        <translation>Druckerfehler</translation>
    </message>
    <message>
        <source>Printer error: %1</source>
        <translation>Druckerfehler: %1</translation>
    </message>
    <message>
        <source>the printer %1 cannot be found</source>
        <translation>der Drucker %1 ist nicht zu finden</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ungültiger Eigenschaftswert</translation>
    </message>
</context>
<context>
    <name>DisplayCheck</name>
    <message>
        <source>Larderly is a desktop program and found no display to open its window on.</source>
        <translation>Larderly ist ein Desktop-Programm und hat keinen Bildschirm gefunden, auf dem es sein Fenster öffnen kann.</translation>
    </message>
</context>
<context>
    <name>DurationText</name>
    <message>
        <source>%1 yr</source>
        <translation>%1 J.</translation>
    </message>
    <message>
        <source>%1 mo</source>
        <translation>%1 Mon.</translation>
    </message>
    <message>
        <source>%1 wk</source>
        <translation>%1 Wo.</translation>
    </message>
    <message>
        <source>%1 d</source>
        <translation>%1 Tg.</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 Std.</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 Sek.</translation>
    </message>
</context>
<context>
    <name>HelpContents</name>
    <message>
        <source>If you need help: Contact %1</source>
        <translation>Wenn Sie Hilfe brauchen, wenden Sie sich an %1</translation>
    </message>
</context>
<context>
    <name>ImportedRecipe</name>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Cuisine</source>
        <translation>Küche</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Stichwörter</translation>
    </message>
    <message>
        <source>Diet</source>
        <translation>Ernährungsform</translation>
    </message>
    <message>
        <source>Yield</source>
        <translation>Ergibt</translation>
    </message>
    <message>
        <source>Total Time</source>
        <translation>Gesamtzeit</translation>
    </message>
    <message>
        <source>Recipe By</source>
        <translation>Rezept von</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Equipment</source>
        <translation>Küchengeräte</translation>
    </message>
    <message>
        <source>Nutrition</source>
        <translation>Nährwerte</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Anmerkungen</translation>
    </message>
    <message>
        <source>More about this recipe</source>
        <translation>Mehr zu diesem Rezept</translation>
    </message>
</context>
<context>
    <name>JsonLdReader</name>
    <message>
        <source>no JSON-LD in it (neither a JSON document nor a page with an application/ld+json script)</source>
        <translation>kein JSON-LD darin (weder ein JSON-Dokument noch eine Seite mit einem application/ld+json-Skript)</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>no schema.org Recipe in it</source>
        <translation>kein schema.org-Recipe darin</translation>
    </message>
</context>
<context>
    <name>MainLogic</name>
    <message>
        <source>The changes of the last session were not saved. Recover them?</source>
        <translation>Die Änderungen der letzten Sitzung wurden nicht gespeichert. Wiederherstellen?</translation>
    </message>
    <message>
        <source>Your recipes could not be saved, and no copy of the changes could be kept either. If Larderly closes now, the changes made since the last save are lost. Close anyway?</source>
        <translation>Ihre Rezepte konnten nicht gespeichert werden, und auch eine Kopie der Änderungen ließ sich nirgends anlegen. Wenn Larderly jetzt geschlossen wird, gehen die Änderungen seit dem letzten Speichern verloren. Trotzdem schließen?</translation>
    </message>
    <message>
        <source>Your recipes could not be saved. Close anyway? The changes made since the last save are kept in %1 and offered back at the next start.</source>
        <translation>Ihre Rezepte konnten nicht gespeichert werden. Trotzdem schließen? Die Änderungen seit dem letzten Speichern sind in %1 aufbewahrt und werden beim nächsten Start wieder angeboten.</translation>
    </message>
    <message>
        <source>Record %1 of %2</source>
        <translation>Rezept %1 von %2</translation>
    </message>
    <message>
        <source>No Records</source>
        <translation>Keine Rezepte</translation>
    </message>
    <message>
        <source>The recipe box is full: it holds 32,767 recipes, the most it can. Delete a recipe to make room for a new one.</source>
        <translation>Der Rezeptkasten ist voll: Er fasst höchstens 32.767 Rezepte. Löschen Sie ein Rezept, um Platz für ein neues zu schaffen.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete %1?</source>
        <translation>Soll »%1« wirklich gelöscht werden?</translation>
    </message>
    <message>
        <source>No more occurrences of &apos;%1&apos;.</source>
        <translation>Keine weiteren Vorkommen von »%1«.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Print All...</source>
        <translation>Alle &amp;drucken...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Recipes</source>
        <translation>&amp;Rezepte</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Find Nex&amp;t</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Vorheriges</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Nächstes</translation>
    </message>
    <message>
        <source>&amp;First Recipe</source>
        <translation>&amp;Erstes Rezept</translation>
    </message>
    <message>
        <source>&amp;Last Recipe</source>
        <translation>Le&amp;tztes Rezept</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;About </source>
        <translation>Ü&amp;ber </translation>
    </message>
    <message>
        <source>Red and white checkerboard</source>
        <translation>Rot-weißes Schachbrettmuster</translation>
    </message>
    <message>
        <source>My Recipes</source>
        <translation>Meine Rezepte</translation>
    </message>
    <message>
        <source>Resources</source>
        <translation>Ressourcen</translation>
    </message>
    <message>
        <source>Name of Dish:</source>
        <translation>Gericht:</translation>
    </message>
    <message>
        <source>Preparation Time:</source>
        <translation>Vorbereitung:</translation>
    </message>
    <message>
        <source>Cooking Time:</source>
        <translation>Kochzeit:</translation>
    </message>
    <message>
        <source>Servings:</source>
        <translation>Pers.:</translation>
    </message>
    <message>
        <source>Ingredients:</source>
        <translation>Zutaten:</translation>
    </message>
    <message>
        <source>Directions:</source>
        <translation>Zubereitung:</translation>
    </message>
    <message>
        <source>&amp;Print This Recipe</source>
        <translation>Rezept dr&amp;ucken</translation>
    </message>
    <message>
        <source>Recipe #</source>
        <translation>Rezept Nr.</translation>
    </message>
    <message>
        <source>Previous recipe</source>
        <translation>Vorheriges Rezept</translation>
    </message>
    <message>
        <source>Next recipe</source>
        <translation>Nächstes Rezept</translation>
    </message>
    <message>
        <source>Click On Blue Colored Text To Visit.</source>
        <translation>Blaue Links anklicken.</translation>
    </message>
    <message>
        <source>Kettlebay - Free Online Recipe Database</source>
        <translation>Kettlebay – freie Online-Rezeptdatenbank</translation>
    </message>
    <message>
        <source>What&apos;s for Dinner? If you&apos;re in need of some TERRIFIC ideas you&apos;ll want to visit Kettlebay. Search the enormous recipe database, read helpful articles, even order cookbooks and kitchen gadgets. This remarkable site has a wealth of valuable information  that will make your meals more EXCITING!</source>
        <translation>Was gibt es zum Abendessen? Für GROSSARTIGE Ideen besuchen Sie Kettlebay. Durchsuchen Sie die riesige Rezeptdatenbank, lesen Sie nützliche Artikel, bestellen Sie Kochbücher und Küchenhelfer. Eine Fundgrube, die Ihr Essen SPANNENDER macht!</translation>
    </message>
    <message>
        <source>Visit us today at:</source>
        <translation>Besuchen Sie uns unter:</translation>
    </message>
    <message>
        <source>Helpful Resources</source>
        <translation>Nützliche Seiten</translation>
    </message>
    <message>
        <source>Click Here to Visit</source>
        <translation>Zum Besuchen hier klicken</translation>
    </message>
    <message>
        <source>Click Here to Visit!</source>
        <translation>Zum Besuchen hier klicken!</translation>
    </message>
    <message>
        <source>Spice Rack</source>
        <translation>Gewürzregal</translation>
    </message>
    <message>
        <source>Food Equivalents</source>
        <translation>Mengenentsprechungen</translation>
    </message>
    <message>
        <source>Substitutions</source>
        <translation>Ersatzzutaten</translation>
    </message>
    <message>
        <source>Conversions</source>
        <translation>Umrechnungen</translation>
    </message>
    <message>
        <source>Measures</source>
        <translation>Maße</translation>
    </message>
    <message>
        <source>Kitchen Store</source>
        <translation>Küchenladen</translation>
    </message>
    <message>
        <source>Free Recipes</source>
        <translation>Freie Rezepte</translation>
    </message>
    <message>
        <source>Quick Dish Archive</source>
        <translation>Schnelle Gerichte</translation>
    </message>
    <message>
        <source>Cooking Class</source>
        <translation>Kochkurs</translation>
    </message>
    <message>
        <source>Kettlebay logo, the maker&apos;s web site</source>
        <translation>Kettlebay-Logo, die Website des Herstellers</translation>
    </message>
    <message>
        <source>No printer is installed, so the document was saved as a PDF file:

%1</source>
        <translation>Es ist kein Drucker eingerichtet, daher wurde das Dokument als PDF-Datei gespeichert:

%1</translation>
    </message>
</context>
<context>
    <name>MasterCookReader</name>
    <message>
        <source>no MasterCook recipe in it</source>
        <translation>kein MasterCook-Rezept darin</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>the recipe has no title: the file is cut short</source>
        <translation>das Rezept hat keinen Titel: die Datei ist abgeschnitten</translation>
    </message>
    <message>
        <source>the recipe “%1” has no ingredient table: the file is cut short</source>
        <translation>das Rezept „%1“ hat keine Zutatentabelle: die Datei ist abgeschnitten</translation>
    </message>
</context>
<context>
    <name>MealMasterReader</name>
    <message>
        <source>no Meal-Master recipe in it</source>
        <translation>kein Meal-Master-Rezept darin</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>the recipe has no Title line</source>
        <translation>das Rezept hat keine Title-Zeile</translation>
    </message>
    <message>
        <source>the recipe “%1” has no closing line (%2): the file is cut short</source>
        <translation>das Rezept „%1“ hat keine Schlusszeile (%2): die Datei ist abgeschnitten</translation>
    </message>
</context>
<context>
    <name>MealMasterWriter</name>
    <message>
        <source>Name of Dish</source>
        <translation>Name des Gerichts</translation>
    </message>
    <message>
        <source>Preparation Time</source>
        <translation>Vorbereitungszeit</translation>
    </message>
    <message>
        <source>Cooking Time</source>
        <translation>Kochzeit</translation>
    </message>
    <message>
        <source>Servings</source>
        <translation>Portionen</translation>
    </message>
</context>
<context>
    <name>PrintProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Printing all recipes</source>
        <translation>Alle Rezepte werden gedruckt</translation>
    </message>
    <message>
        <source>Printing recipe %1 of %2</source>
        <translation>Rezept %1 von %2 wird gedruckt</translation>
    </message>
</context>
<context>
    <name>RecipeBox</name>
    <message>
        <source>The recipes in %1 are already open in another Larderly window.</source>
        <translation>Die Rezepte in %1 sind bereits in einem anderen Larderly-Fenster geöffnet.</translation>
    </message>
    <message>
        <source>
No copy of the file as it was could be kept.</source>
        <translation>
Eine Kopie der Datei, wie sie war, ließ sich nicht anlegen.</translation>
    </message>
    <message>
        <source>
A copy of the file as it was is kept as %1.</source>
        <translation>
Eine Kopie der Datei, wie sie war, ist als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>The changes of an earlier session could not be read back.</source>
        <translation>Die Änderungen einer früheren Sitzung lassen sich nicht lesen.</translation>
    </message>
    <message>
        <source>The changes of an earlier session were made to another version of %1 and cannot be applied to this one.</source>
        <translation>Die Änderungen einer früheren Sitzung wurden an einer anderen Fassung von %1 vorgenommen und lassen sich auf diese nicht anwenden.</translation>
    </message>
    <message>
        <source>The changes of another earlier session could not be offered as well.</source>
        <translation>Die Änderungen einer weiteren früheren Sitzung können nicht ebenfalls angeboten werden.</translation>
    </message>
    <message>
        <source>The unsaved changes of the last session are kept as %1.</source>
        <translation>Die nicht gespeicherten Änderungen der letzten Sitzung sind als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>The changes of the last session are kept as %1.</source>
        <translation>Die Änderungen der letzten Sitzung sind als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>%1 was left as it was: it could not be read when the program started (%2), and saving over it would lose the recipes it holds.</source>
        <translation>%1 bleibt unverändert: Die Datei ließ sich beim Programmstart nicht lesen (%2), und sie zu überschreiben würde die Rezepte darin verlieren.</translation>
    </message>
    <message>
        <source>%1 had been changed by another program; that version is kept as %2.</source>
        <translation>%1 war von einem anderen Programm geändert worden; diese Fassung ist als %2 aufbewahrt.</translation>
    </message>
    <message>
        <source>%1 was left incomplete by a save that could not finish; it has been written whole again from the record of unsaved changes.</source>
        <translation>%1 war durch ein Speichern, das nicht zu Ende kam, unvollständig geblieben; die Datei wurde aus der Aufzeichnung der nicht gespeicherten Änderungen wieder vollständig geschrieben.</translation>
    </message>
    <message>
        <source>a minute</source>
        <translation>einer Minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 Stunden</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 Tagen</translation>
    </message>
    <message>
        <source>The recipes in %1 were opened on the computer %2, %3 ago, and have not been closed there (%4 says so). If Larderly still has them open there, the changes made in one place will overwrite those made in the other. Open them here all the same?</source>
        <translation>Die Rezepte in %1 wurden vor %3 auf dem Computer %2 geöffnet und dort nicht wieder geschlossen (so steht es in %4). Hat Larderly sie dort noch geöffnet, überschreiben die Änderungen an einem Ort die am anderen. Trotzdem hier öffnen?</translation>
    </message>
    <message>
        <source>%1 was left incomplete by a save that could not finish, and cannot be written whole again now (%2). The recipes are taken from the record of unsaved changes, and the next save writes them whole.</source>
        <translation>%1 war durch ein Speichern, das nicht zu Ende kam, unvollständig geblieben und lässt sich jetzt nicht wieder vollständig schreiben (%2). Die Rezepte stammen aus der Aufzeichnung der nicht gespeicherten Änderungen; das nächste Speichern schreibt sie vollständig.</translation>
    </message>
    <message>
        <source>%1 was left as it was: its folder takes no new file, so it could only be rewritten where it stands, and no copy of the recipes could be kept anywhere meanwhile to fall back on should that fail.</source>
        <translation>%1 bleibt unverändert: Der Ordner nimmt keine neue Datei auf, die Datei ließe sich also nur an Ort und Stelle überschreiben, und nirgends ließ sich solange eine Kopie der Rezepte anlegen, auf die bei einem Fehlschlag zurückgegriffen werden könnte.</translation>
    </message>
    <message>
        <source>A version of %1 that another program wrote while Larderly was saving it is kept as %2.</source>
        <translation>Eine Fassung von %1, die ein anderes Programm geschrieben hat, während Larderly speicherte, ist als %2 aufbewahrt.</translation>
    </message>
    <message>
        <source>%1 had been replaced by another program while it was open here. This window&apos;s recipes are saved in it, and the other version is kept as %2.</source>
        <translation>%1 war von einem anderen Programm ersetzt worden, während die Datei hier geöffnet war. Die Rezepte dieses Fensters sind darin gespeichert, die andere Fassung ist als %2 aufbewahrt.</translation>
    </message>
    <message>
        <source>%1 was left as it was: another program changed it while it was open here, and no copy of that version could be kept.</source>
        <translation>%1 bleibt unverändert: Ein anderes Programm hat die Datei geändert, während sie hier geöffnet war, und von dieser Fassung ließ sich keine Kopie anlegen.</translation>
    </message>
    <message>
        <source>The unsaved changes of a Larderly session on the computer %1 are not applied here.</source>
        <translation>Die nicht gespeicherten Änderungen einer Larderly-Sitzung auf dem Computer %1 werden hier nicht übernommen.</translation>
    </message>
</context>
<context>
    <name>RecipeFormat</name>
    <message>
        <source>recipe %1 (“%2”) holds %3, which %4 has no code for</source>
        <translation>Rezept %1 („%2“) enthält %3, wofür %4 keinen Code hat</translation>
    </message>
</context>
<context>
    <name>RecipeMlReader</name>
    <message>
        <source>this is XML, but not RecipeML: its root element is &lt;%1&gt;</source>
        <translation>dies ist XML, aber kein RecipeML: sein Wurzelelement ist &lt;%1&gt;</translation>
    </message>
    <message>
        <source>no RecipeML recipe in it</source>
        <translation>kein RecipeML-Rezept darin</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>its elements are nested too deeply</source>
        <translation>seine Elemente sind zu tief verschachtelt</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
</context>
<context>
    <name>RecipePrinting</name>
    <message>
        <source>Recipe Name: </source>
        <translation>Rezeptname: </translation>
    </message>
    <message>
        <source>Prep Time: </source>
        <translation>Vorbereitung: </translation>
    </message>
    <message>
        <source>Cook Time: </source>
        <translation>Kochzeit: </translation>
    </message>
    <message>
        <source>Servings: </source>
        <translation>Personen: </translation>
    </message>
    <message>
        <source>Ingredients: </source>
        <translation>Zutaten: </translation>
    </message>
    <message>
        <source>Directions: </source>
        <translation>Zubereitung: </translation>
    </message>
    <message>
        <source>Recipes</source>
        <translation>Rezepte</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Ein-/Ausgabefehler des Geräts</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Lesen hinter dem Dateiende</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Anwendungs- oder objektdefinierter Fehler</translation>
    </message>
    <message>
        <source>Invalid file format</source>
        <translation>Ungültiges Dateiformat</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find &amp;What:</source>
        <translation>Suchen &amp;nach:</translation>
    </message>
    <message>
        <source>&amp;Find First</source>
        <translation>&amp;Von vorn</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>%1 is starting</source>
        <translation>%1 wird gestartet</translation>
    </message>
    <message>
        <source>Red and white checkerboard</source>
        <translation>Rot-weißes Schachbrettmuster</translation>
    </message>
    <message>
        <source>Kettlebay logo</source>
        <translation>Kettlebay-Logo</translation>
    </message>
    <message>
        <source>Platform</source>
        <translation>Plattform</translation>
    </message>
</context>
</TS>
