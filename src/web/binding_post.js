// Linked after the generated code (--post-js): load() and save() always give a Promise (Embind
// gives one only when the sequence really waited for an answer), and no method may run while
// a sequence is suspended in the middle, waiting for the page's answer.
addOnPostRun(function () {
  var proto = Module['KorrinDocument'].prototype;
  Object.getOwnPropertyNames(proto).forEach(function (name) {
    var original = proto[name];
    if (typeof original !== 'function' || name === 'constructor' || name === 'delete') return;
    var sequence = name === 'load' || name === 'save';
    proto[name] = function () {
      if (Asyncify.currData) {
        var busy = new Error('Korrin: ' + name + '() während ein Ablauf auf eine Antwort wartet');
        if (sequence) return Promise.reject(busy);
        throw busy;
      }
      var result = original.apply(this, arguments);
      return sequence ? Promise.resolve(result) : result;
    };
  });
});
