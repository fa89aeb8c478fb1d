#pragma once
// Reading form resources into an existing root component (a form whose class has them).
//
// Three steps per resource: parse the text to a tree, check the tree against the registered
// classes and the type information, then build: create the components (owned by the root),
// set their properties, bind events to the root's published methods, fill the root's published
// fields and resolve component references.

#include <string_view>
#include <vector>

#include "vcl50/Classes.h"

// A name in a form resource that nothing registered: an object's class, or a property its object
// does not have; or a reference to an object left out for such a name.
struct TUnknownFormName {
    AnsiString Component;  // the object that names it
    AnsiString Property;   // empty for a class
    int Line = 0;
    AnsiString What;  // "Class TFoo not found", "property Colour does not exist"
    // In the reader's wording: "Error reading Item1.Colour: property Colour does not exist (line 3)".
    AnsiString Message() const;
};

// Reads the texts one after another, as an inherited form's resources are read (ancestors
// first); Loaded runs once for every component read, root first, after the last text.
// Raises EReadError naming the component, the property and the line; unknown names are all
// found first and raised together, their messages joined by "; ". On any failure every
// component these reads created is freed and no component is left loading.
void ReadFormResources(TComponent* root, const std::vector<std::string_view>& texts);
// Reads as ReadFormResources does, but leaves out every object of an unknown class (with the
// objects it holds), every property that its object does not have, and every reference to an
// object left out; returns them in the order of their lines. Any other fault raises as there.
std::vector<TUnknownFormName> ReadFormResourcesLeniently(TComponent* root,
                                                         const std::vector<std::string_view>& texts);

struct TFormNode;
// Builds parsed objects as new components of `root`, which itself stays as it is: a designer's
// paste. Names must be free; references resolve among them and the root's components.
// Fails as ReadFormResources does, leaving nothing behind. Returns the components made for
// `objects` (not their children), in order.
std::vector<TComponent*> ReadFormObjects(TComponent* root, const std::vector<TFormNode>& objects);
