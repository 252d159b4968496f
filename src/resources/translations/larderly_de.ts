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
    <name>HelpContents</name>
    <message>
        <source>If you need help: Contact %1</source>
        <translation>Wenn Sie Hilfe brauchen, wenden Sie sich an %1</translation>
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
