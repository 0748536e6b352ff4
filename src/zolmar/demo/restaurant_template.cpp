#include "zolmar/demo/restaurant_template.h"

namespace zolmar {

// Levels 1 and 2 are what the restaurant window offers; the third level of
// some subcategories is the consultant's own detail.
std::vector<TreeBuilder::Node> RestaurantTemplate::nodes() {
  return {
      {"Entrantes",
       {{"Entrantes fríos"},
        {"Entrantes calientes"},
        {"Tapas y raciones"},
        {"Embutidos y quesos"},
        {"Croquetas y fritos"},
        {"Sopas y cremas"}}},
      {"Ensaladas", {{"Ensaladas verdes"}, {"Ensaladas templadas"}, {"Ensaladas de pasta"}, {"Ensaladilla"}}},
      {"Carnes",
       {{"Ternera", {{"Solomillo"}, {"Entrecot"}, {"Chuletón"}}},
        {"Cerdo"},
        {"Cordero", {{"Lechazo asado"}, {"Chuletillas"}}},
        {"Aves"},
        {"Caza"},
        {"Hamburguesas"}}},
      {"Pescados", {{"Pescado blanco"}, {"Pescado azul"}, {"Mariscos"}, {"Cefalópodos"}, {"Bacalao"}}},
      {"Arroces", {{"Paellas"}, {"Arroces melosos"}, {"Arroces caldosos"}, {"Arroz negro"}, {"Risottos"}}},
      {"Pastas y legumbres", {{"Pastas frescas"}, {"Pastas rellenas"}, {"Legumbres"}, {"Cocidos y potajes"}}},
      {"Postres",
       {{"Postres caseros"}, {"Helados y sorbetes"}, {"Tartas"}, {"Fruta del tiempo"}, {"Quesos de postre"}}},
      {"Bebidas",
       {{"Refrescos"}, {"Aguas"}, {"Cervezas"}, {"Zumos"}, {"Combinados"}, {"Licores y digestivos"}}},
      {"Vinos",
       {{"Tintos", {{"Ribera del Duero"}, {"Rioja"}, {"Toro"}}},
        {"Blancos", {{"Rueda"}, {"Albariño"}}},
        {"Rosados"},
        {"Espumosos y cavas"},
        {"Vinos por copas"},
        {"Vinos dulces y generosos"}}},
      {"Cafés e infusiones", {{"Cafés"}, {"Cafés especiales"}, {"Infusiones"}, {"Tés"}, {"Chocolates"}}},
      {"Menús", {{"Menú del día"}, {"Menú infantil"}, {"Menú degustación"}, {"Menús de grupo"}}},
  };
}

}  // namespace zolmar
